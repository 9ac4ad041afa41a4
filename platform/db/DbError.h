#pragma once

#include "base/HostError.h"

namespace qor::db {

// A failure of the company database: what the database answered, or why a
// file was refused. The statement that failed, when there is one, is kept
// apart from the description so that messages stay short.
class DbError : public HostError {
public:
    explicit DbError(const QString& description, const QString& statement = {})
        : HostError(description), statement_(statement) {}

    const QString& Statement() const noexcept { return statement_; }

private:
    QString statement_;
};

}  // namespace qor::db
