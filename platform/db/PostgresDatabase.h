#pragma once

#include "platform/db/Database.h"

#include <QString>
#include <memory>

struct pg_conn;
struct pg_result;

namespace qor::db {

// A company database on a PostgreSQL server, through libpq. Statements take
// "?" placeholders (numbered $1.. for the server) and are sent with their
// parameters as text; the server reads each parameter as the type its place
// in the statement needs. Results come back as text and go straight into the
// columnar recordset, typed by the column's type on the server. The one
// rewrite of the module's statements is RewriteUnionOrderBy (SqlRewrite.h);
// ISNULL and CHARINDEX are SQL functions that the migrations create.
//
// A lost connection fails the statement that found it with a DbError of
// DbFailure::ConnectionLost; the next statement connects again. A
// transaction open when the connection broke is gone: every statement but
// Rollback fails until the caller has rolled it back.
// A company user's own login to the server: their login role and password,
// given apart from a URL that names the server and database only.
struct ServerLogin {
    QString role;
    QString password;
};

class PostgresDatabase final : public Database {
public:
    // Connects to the server named by a postgresql:// URL (libpq's connection
    // URI), as login's role when it names one. Throws DbError with a Chinese
    // description when the server cannot be reached, refuses the user or
    // password (DbFailure::LoginRefused), or has no such database.
    static std::shared_ptr<PostgresDatabase> Open(const QString& url, const ServerLogin& login = {});
    // Creates the database the URL names when the server has none of that
    // name, connecting to the server's "postgres" database to do it. Answers
    // whether it created one; answers false, leaving the reason to Open,
    // when that connection or the creation fails.
    static bool CreateDatabaseIfMissing(const QString& url);
    ~PostgresDatabase() override;
    PostgresDatabase(const PostgresDatabase&) = delete;
    PostgresDatabase& operator=(const PostgresDatabase&) = delete;

    QString Backend() const override { return dialect_.Name(); }
    // The URL without its password.
    QString ConnectionText() const override { return shownUrl_; }
    const Dialect& SqlDialect() const override { return dialect_; }

    RecordsetPtr Query(const QString& sql, const QVariantList& params = {}) override;
    qint64 Execute(const QString& sql, const QVariantList& params = {}) override;
    void ExecuteScript(const QString& sql) override;
    qint64 LastInsertId() override;
    bool TableExists(const QString& name) override;

    void Begin() override;
    void Commit() override;
    void Rollback() override;
    bool InTransaction() const override { return transactionDepth_ > 0; }
    bool IsReadOnly() const override { return false; }

    void SetBulkLoad(bool on) override;
    void AppendRows(const QString& table, const QStringList& columns, const std::vector<QVariantList>& rows) override;

    // Gives the login role its password. The server gets the password's
    // SCRAM verifier, made here, so that the password itself is never part
    // of a statement the server may log.
    void SetRolePassword(const QString& role, const QString& password);

private:
    class Result;

    PostgresDatabase(pg_conn* connection, const QString& url);
    Result Run(const QString& sql, const QVariantList& params, const QString& shownSql);
    // Connects again after a lost connection; refuses while a transaction
    // that the lost connection took with it is still open.
    void RequireConnection(const QString& sql);
    [[noreturn]] void Fail(const pg_result* result, const QString& sql);
    QString ServerName() const;

    pg_conn* connection_;
    QString shownUrl_;
    Dialect dialect_{BackendKind::PostgreSql};
    int transactionDepth_ = 0;
    bool pinned_ = true;  // the session's settings are the module's (see PinSessionSettings)
    bool transactionLost_ = false;
};

// The URL with the password of its user part left out, for showing.
QString UrlWithoutPassword(const QString& url);

// The user the URL names, or empty.
QString UrlUser(const QString& url);
// The database the URL names, or empty.
QString UrlDatabase(const QString& url);

// The login role of the company's user userName on the server: the URL's
// database name, "/" and the user name, as the company's schema names them.
QString CompanyRole(const QString& url, const QString& userName);

}  // namespace qor::db
