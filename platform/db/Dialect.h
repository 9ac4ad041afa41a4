#pragma once

#include <QString>

namespace qor::db {

enum class BackendKind { Sqlite, PostgreSql };

// What differs in SQL text between the back ends. The module's own statements
// are written once in T-SQL flavour; schema scripts name the differing pieces
// as placeholders, such as {AUTOID}, that the back end's dialect fills in.
class Dialect {
public:
    explicit Dialect(BackendKind backend) : backend_(backend) {}

    BackendKind Kind() const { return backend_; }
    // "sqlite" or "postgresql".
    QString Name() const;
    // Column definition of an auto-numbered integer primary key whose numbers
    // are never handed out twice, even after the newest row is deleted.
    QString AutoIdColumn() const;
    // A script that moves every auto-numbered key past the highest key in its
    // table, for after rows were written with keys of their own; empty when
    // the back end does that by itself.
    QString AutoIdResetScript() const;
    // The script with its placeholders filled in.
    QString ExpandScript(const QString& script) const;

private:
    BackendKind backend_;
};

}  // namespace qor::db
