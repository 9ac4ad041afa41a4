#pragma once

#include "platform/base/HostError.h"

namespace qor::db {

// What kind of failure a database reported, as far as callers act on it.
enum class DbFailure {
    Other,
    // A unique index refused the row: another row has the same key.
    UniqueViolation,
    // The statement lost out to other users' work (serialization failure,
    // deadlock, a lock not granted in time); running it again may succeed.
    Conflict,
    // The connection to the server broke; the next statement reconnects.
    ConnectionLost,
    // The server refused the user name or the password.
    LoginRefused,
};

// A failure of the company database: what the database answered, or why a
// file was refused. The statement that failed, when there is one, is kept
// apart from the description so that messages stay short.
class DbError : public HostError {
public:
    explicit DbError(const QString& description, const QString& statement = {}, DbFailure failure = DbFailure::Other)
        : HostError(description), statement_(statement), failure_(failure) {}

    const QString& Statement() const noexcept { return statement_; }
    DbFailure Failure() const noexcept { return failure_; }

private:
    QString statement_;
    DbFailure failure_;
};

}  // namespace qor::db
