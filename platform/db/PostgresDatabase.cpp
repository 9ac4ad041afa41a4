#include "platform/db/PostgresDatabase.h"

#include "platform/base/Convert.h"
#include "platform/base/RecordsetBuilder.h"
#include "platform/db/DbError.h"
#include "platform/db/SqlRewrite.h"

#include <libpq-fe.h>
#include <QDate>
#include <QDateTime>

#include <charconv>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

namespace qor::db {

namespace {
// Type numbers of the server's built-in types (pg_type.oid).
constexpr Oid kBoolOid = 16;
constexpr Oid kInt8Oid = 20;
constexpr Oid kInt2Oid = 21;
constexpr Oid kInt4Oid = 23;
constexpr Oid kOidOid = 26;
constexpr Oid kFloat4Oid = 700;
constexpr Oid kFloat8Oid = 701;
constexpr Oid kNumericOid = 1700;

const char* const kConnectTimeoutSeconds = "5";

enum class ColumnKind { Integer, Boolean, Double, Text };

ColumnKind KindOf(Oid type) {
    switch (type) {
        case kInt2Oid:
        case kInt4Oid:
        case kInt8Oid:
        case kOidOid:
            return ColumnKind::Integer;
        case kBoolOid:
            return ColumnKind::Boolean;
        case kFloat4Oid:
        case kFloat8Oid:
        case kNumericOid:
            return ColumnKind::Double;
        default:
            return ColumnKind::Text;
    }
}

FieldType FieldTypeOf(ColumnKind kind) {
    switch (kind) {
        case ColumnKind::Integer:
        case ColumnKind::Boolean:
            return FieldType::Integer;
        case ColumnKind::Double:
            return FieldType::Double;
        case ColumnKind::Text:
            break;
    }
    return FieldType::Text;
}

// Reads every row of a result in text format into a recordset. Numbers are
// parsed in place; a value that does not parse (NaN written differently,
// say) is kept as text, which widens its column.
RecordsetPtr ReadRows(const PGresult* result) {
    RecordsetBuilder builder;
    const int columns = PQnfields(result);
    const int rows = PQntuples(result);
    std::vector<ColumnKind> kinds(static_cast<size_t>(columns));
    for (int c = 0; c < columns; ++c) {
        kinds[static_cast<size_t>(c)] = KindOf(PQftype(result, c));
        builder.AddField(QString::fromUtf8(PQfname(result, c)), FieldTypeOf(kinds[static_cast<size_t>(c)]));
    }
    builder.Reserve(static_cast<size_t>(rows));
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            if (PQgetisnull(result, r, c)) {
                builder.AppendNull(c);
                continue;
            }
            const char* value = PQgetvalue(result, r, c);
            const auto length = static_cast<size_t>(PQgetlength(result, r, c));
            switch (kinds[static_cast<size_t>(c)]) {
                case ColumnKind::Integer: {
                    int64_t number = 0;
                    const auto [end, error] = std::from_chars(value, value + length, number);
                    if (error == std::errc() && end == value + length) {
                        builder.AppendInt(c, number);
                        continue;
                    }
                    break;
                }
                case ColumnKind::Boolean:
                    builder.AppendInt(c, value[0] == 't' ? 1 : 0);
                    continue;
                case ColumnKind::Double: {
                    double number = 0;
                    const auto [end, error] = std::from_chars(value, value + length, number);
                    if (error == std::errc() && end == value + length) {
                        builder.AppendDouble(c, number);
                        continue;
                    }
                    break;
                }
                case ColumnKind::Text:
                    break;
            }
            builder.AppendText(c, std::string_view(value, length));
        }
        builder.EndRow();
    }
    return builder.Finish();
}

// A parameter as the text the server reads it from.
QByteArray ParameterText(const QVariant& value) {
    switch (value.typeId()) {
        case QMetaType::Bool:
            return value.toBool() ? QByteArrayLiteral("1") : QByteArrayLiteral("0");
        case QMetaType::Int:
        case QMetaType::Short:
        case QMetaType::Long:
        case QMetaType::LongLong:
            return QByteArray::number(value.toLongLong());
        case QMetaType::UInt:
        case QMetaType::UShort:
        case QMetaType::ULongLong:
            return QByteArray::number(value.toULongLong());
        case QMetaType::Double:
        case QMetaType::Float:
            return QByteArray::number(value.toDouble(), 'g', 17);
        case QMetaType::QDate:
            return value.toDate().toString(Qt::ISODate).toUtf8();
        case QMetaType::QDateTime:
            return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8();
        case QMetaType::QByteArray:
            return value.toByteArray();
        default:
            return value.toString().toUtf8();
    }
}

QString SqlState(const PGresult* result) {
    const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    return state ? QString::fromLatin1(state) : QString();
}

DbFailure FailureOf(const QString& state) {
    if (state == QLatin1String("23505")) return DbFailure::UniqueViolation;
    if (state == QLatin1String("40001") || state == QLatin1String("40P01") || state == QLatin1String("55P03"))
        return DbFailure::Conflict;
    if (state.startsWith(QLatin1String("08")) || state.startsWith(QLatin1String("57P")))
        return DbFailure::ConnectionLost;
    return DbFailure::Other;
}

QString Trimmed(const char* text) { return QString::fromUtf8(text ? text : "").trimmed(); }

// libpq's own text for a message to the user: its first line, without
// hints in English that follow.
QString Reason(const char* text) { return Trimmed(text).section(u'\n', 0, 0).trimmed(); }

bool IsLoginRefusal(const QString& reason) {
    return reason.contains(QLatin1String("password authentication failed")) ||
           reason.contains(QLatin1String("no password supplied")) ||
           reason.contains(QLatin1String("is not permitted to log in")) ||
           (reason.contains(QLatin1String("role \"")) && reason.contains(QLatin1String("does not exist")));
}

// libpq's answer to a failed connection, turned into words for the user.
QString ConnectFailureText(PGconn* connection, const QString& server) {
    const QString reason = Trimmed(PQerrorMessage(connection));
    const QString database = QString::fromUtf8(PQdb(connection) ? PQdb(connection) : "");
    const QString user = QString::fromUtf8(PQuser(connection) ? PQuser(connection) : "");
    if (IsLoginRefusal(reason))
        return QStringLiteral("无法登录数据库服务器 %1：用户名“%2”或密码不正确。").arg(server, user);
    if (reason.contains(QLatin1String("database \"")) && reason.contains(QLatin1String("does not exist")))
        return QStringLiteral("数据库服务器 %1 上没有名为“%2”的数据库。请确认数据库名称，或先用 --create-demo 新建它。")
            .arg(server, database);
    return QStringLiteral("无法连接数据库服务器 %1：请确认服务器地址和端口正确、服务器已经启动并允许本机连接。（%2）")
        .arg(server, Reason(PQerrorMessage(connection)));
}

void IgnoreNotice(void*, const char*) {}

// Connects to the URL's server, to database instead of the URL's own when
// one is given, as the login's role when it names one. Keys before the URL
// yield to its own; those after it win.
PGconn* Connect(const QString& url, const char* database = nullptr, const ServerLogin& login = {}) {
    const QByteArray text = url.toUtf8();
    const QByteArray role = login.role.toUtf8();
    const QByteArray password = login.password.toUtf8();
    std::vector<const char*> keys{"connect_timeout", "application_name", "dbname", "client_encoding"};
    std::vector<const char*> values{kConnectTimeoutSeconds, "qor-erp", text.constData(), "UTF8"};
    if (database) {
        keys.push_back("dbname");
        values.push_back(database);
    }
    if (!login.role.isEmpty()) {
        keys.insert(keys.end(), {"user", "password"});
        values.insert(values.end(), {role.constData(), password.constData()});
    }
    keys.push_back(nullptr);
    values.push_back(nullptr);
    return PQconnectdbParams(keys.data(), values.data(), 1);
}

// The value the URL gives for a connection key, or empty.
QByteArray UrlValue(const QString& url, const char* key) {
    PQconninfoOption* options = PQconninfoParse(url.toUtf8().constData(), nullptr);
    if (!options) return {};
    QByteArray value;
    for (PQconninfoOption* option = options; option->keyword; ++option)
        if (std::strcmp(option->keyword, key) == 0 && option->val) value = option->val;
    PQconninfoFree(options);
    return value;
}

QByteArray DatabaseNameOf(const QString& url) { return UrlValue(url, "dbname"); }

// The settings the module's statements are written for, whatever the
// server, the database or the role says: quotes doubled in a literal with
// backslashes standing for themselves (else a value such as \' OR 1=1 -- ends
// the literal), UTF-8 text and ISO dates. Answers an empty text when the
// server took them all, else what it would not take.
QString PinSessionSettings(PGconn* connection) {
    PGresult* set = PQexec(connection,
                           "SET standard_conforming_strings = on; SET client_encoding = 'UTF8'; "
                           "SET DateStyle = 'ISO, YMD'");
    const bool taken = PQresultStatus(set) == PGRES_COMMAND_OK;
    PQclear(set);
    if (!taken) return Reason(PQerrorMessage(connection));
    const char* const pinned[][2] = {{"standard_conforming_strings", "on"}, {"client_encoding", "UTF8"}};
    for (const auto& [name, value] : pinned) {
        const char* now = PQparameterStatus(connection, name);
        if (!now || std::strcmp(now, value) != 0)
            return QStringLiteral("%1 = %2").arg(QString::fromLatin1(name), QString::fromUtf8(now ? now : "?"));
    }
    return {};
}

QString RefusedSettingsText(const QString& server, const QString& refused) {
    return QStringLiteral(
               "数据库服务器 %1 不接受本程序需要的会话设置（%2），不能安全地使用。"
               "请数据库管理员检查服务器、数据库和用户的设置。")
        .arg(server, refused);
}

QByteArray QuotedName(const QByteArray& name) {
    QByteArray quoted = name;
    quoted.replace('"', "\"\"");
    return '"' + quoted + '"';
}
}  // namespace

// Owns a PGresult.
class PostgresDatabase::Result {
public:
    explicit Result(PGresult* result) : result_(result) {}
    ~Result() { PQclear(result_); }
    Result(Result&& other) noexcept : result_(std::exchange(other.result_, nullptr)) {}
    Result(const Result&) = delete;
    Result& operator=(const Result&) = delete;
    Result& operator=(Result&&) = delete;

    const PGresult* get() const { return result_; }

private:
    PGresult* result_;
};

QString UrlWithoutPassword(const QString& url) {
    const qsizetype scheme = url.indexOf(QLatin1String("://"));
    if (scheme < 0) return url;
    const qsizetype start = scheme + 3;
    qsizetype end = start;
    while (end < url.size() && url[end] != u'/' && url[end] != u'?') ++end;
    const qsizetype at = url.lastIndexOf(u'@', end - 1);
    if (at < start) return url;
    const qsizetype colon = url.indexOf(u':', start);
    if (colon < 0 || colon > at) return url;
    return url.left(colon) + url.mid(at);
}

QString UrlUser(const QString& url) { return QString::fromUtf8(UrlValue(url, "user")); }

QString UrlDatabase(const QString& url) { return QString::fromUtf8(DatabaseNameOf(url.trimmed())); }

QString CompanyRole(const QString& url, const QString& userName) {
    return QString::fromUtf8(DatabaseNameOf(url)) + u'/' + userName;
}

std::shared_ptr<PostgresDatabase> PostgresDatabase::Open(const QString& url, const ServerLogin& login) {
    PGconn* connection = Connect(url.trimmed(), nullptr, login);
    if (!connection) throw DbError(QStringLiteral("无法连接数据库服务器：内存不足。"));
    if (PQstatus(connection) != CONNECTION_OK) {
        const QString server = QStringLiteral("%1:%2").arg(Trimmed(PQhost(connection)), Trimmed(PQport(connection)));
        const QString text = ConnectFailureText(connection, server);
        const bool refused = IsLoginRefusal(Trimmed(PQerrorMessage(connection)));
        PQfinish(connection);
        throw DbError(text, {}, refused ? DbFailure::LoginRefused : DbFailure::ConnectionLost);
    }
    PQsetNoticeProcessor(connection, IgnoreNotice, nullptr);
    if (const QString refused = PinSessionSettings(connection); !refused.isEmpty()) {
        const QString server = QStringLiteral("%1:%2").arg(Trimmed(PQhost(connection)), Trimmed(PQport(connection)));
        PQfinish(connection);
        throw DbError(RefusedSettingsText(server, refused));
    }
    return std::shared_ptr<PostgresDatabase>(new PostgresDatabase(connection, url.trimmed()));
}

bool PostgresDatabase::CreateDatabaseIfMissing(const QString& url) {
    const QByteArray name = DatabaseNameOf(url.trimmed());
    if (name.isEmpty()) return false;
    PGconn* connection = Connect(url.trimmed(), "postgres");
    bool created = false;
    if (connection && PQstatus(connection) == CONNECTION_OK) {
        const char* values[] = {name.constData()};
        PGresult* found = PQexecParams(connection, "SELECT 1 FROM pg_database WHERE datname = $1", 1, nullptr, values,
                                       nullptr, nullptr, 0);
        if (PQresultStatus(found) == PGRES_TUPLES_OK && PQntuples(found) == 0) {
            const QByteArray create = "CREATE DATABASE " + QuotedName(name) + " ENCODING 'UTF8' TEMPLATE template0";
            PGresult* done = PQexec(connection, create.constData());
            created = PQresultStatus(done) == PGRES_COMMAND_OK;
            PQclear(done);
        }
        PQclear(found);
    }
    PQfinish(connection);
    return created;
}

PostgresDatabase::PostgresDatabase(pg_conn* connection, const QString& url)
    : connection_(connection), shownUrl_(UrlWithoutPassword(url)) {}

PostgresDatabase::~PostgresDatabase() { PQfinish(connection_); }

QString PostgresDatabase::ServerName() const {
    return QStringLiteral("%1:%2").arg(Trimmed(PQhost(connection_)), Trimmed(PQport(connection_)));
}

void PostgresDatabase::RequireConnection(const QString& sql) {
    if (transactionLost_)
        throw DbError(
            QStringLiteral("与数据库服务器 %1 的连接曾经断开，进行中的事务已经撤销，本次操作没有完成。请重试。")
                .arg(ServerName()),
            sql, DbFailure::ConnectionLost);
    if (PQstatus(connection_) != CONNECTION_OK) {
        PQreset(connection_);
        if (PQstatus(connection_) != CONNECTION_OK)
            throw DbError(
                QStringLiteral("与数据库服务器 %1 的连接已经断开，重新连接没有成功：%2。请确认服务器已经启动后重试。")
                    .arg(ServerName(), Reason(PQerrorMessage(connection_))),
                sql, DbFailure::ConnectionLost);
        // A new session starts from the server's settings again.
        pinned_ = false;
    }
    if (pinned_) return;
    if (const QString refused = PinSessionSettings(connection_); !refused.isEmpty())
        throw DbError(RefusedSettingsText(ServerName(), refused), sql, DbFailure::ConnectionLost);
    pinned_ = true;
}

void PostgresDatabase::Fail(const pg_result* result, const QString& sql) {
    const QString state = SqlState(result);
    DbFailure failure = FailureOf(state);
    if (PQstatus(connection_) != CONNECTION_OK) failure = DbFailure::ConnectionLost;
    if (failure == DbFailure::ConnectionLost) {
        if (transactionDepth_ > 0) transactionLost_ = true;
        throw DbError(QStringLiteral("与数据库服务器 %1 的连接已经断开，本次操作没有完成，请稍后重试。（%2）")
                          .arg(ServerName(), Reason(PQerrorMessage(connection_))),
                      sql, failure);
    }
    const char* primary = result ? PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
    const QString message = primary ? Trimmed(primary) : Trimmed(PQerrorMessage(connection_));
    throw DbError(QStringLiteral("数据库返回错误：%1").arg(message), sql, failure);
}

PostgresDatabase::Result PostgresDatabase::Run(const QString& sql, const QVariantList& params,
                                               const QString& shownSql) {
    RequireConnection(shownSql);
    const QByteArray statement = sql.toUtf8();
    std::vector<QByteArray> texts;
    std::vector<const char*> values;
    texts.reserve(static_cast<size_t>(params.size()));
    values.reserve(static_cast<size_t>(params.size()));
    for (const QVariant& value : params) {
        if (IsNull(value)) {
            values.push_back(nullptr);
            continue;
        }
        texts.push_back(ParameterText(value));
        values.push_back(texts.back().constData());
    }
    Result result(PQexecParams(connection_, statement.constData(), static_cast<int>(values.size()), nullptr,
                               values.data(), nullptr, nullptr, 0));
    const ExecStatusType status = result.get() ? PQresultStatus(result.get()) : PGRES_FATAL_ERROR;
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK && status != PGRES_EMPTY_QUERY)
        Fail(result.get(), shownSql);
    return result;
}

RecordsetPtr PostgresDatabase::Query(const QString& sql, const QVariantList& params) {
    const Result result = Run(RewriteUnionOrderBy(NumberPlaceholders(sql)), params, sql);
    if (PQresultStatus(result.get()) != PGRES_TUPLES_OK) return RecordsetBuilder().Finish();
    return ReadRows(result.get());
}

qint64 PostgresDatabase::Execute(const QString& sql, const QVariantList& params) {
    const Result result = Run(RewriteUnionOrderBy(NumberPlaceholders(sql)), params, sql);
    const char* changed = PQcmdTuples(const_cast<PGresult*>(result.get()));
    return changed && *changed ? std::atoll(changed) : 0;
}

void PostgresDatabase::ExecuteScript(const QString& sql) {
    RequireConnection(sql.left(200));
    const Result result(PQexec(connection_, sql.toUtf8().constData()));
    const ExecStatusType status = result.get() ? PQresultStatus(result.get()) : PGRES_FATAL_ERROR;
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK && status != PGRES_EMPTY_QUERY)
        Fail(result.get(), sql.left(200));
}

qint64 PostgresDatabase::LastInsertId() {
    return Query(QStringLiteral("SELECT lastval()"))->Fields(0).Value().toLongLong();
}

bool PostgresDatabase::TableExists(const QString& name) {
    return Query(QStringLiteral("SELECT 1 FROM information_schema.tables "
                                "WHERE table_schema = current_schema() AND lower(table_name) = lower(?)"),
                 {name})
               ->RecordCount() > 0;
}

void PostgresDatabase::Begin() {
    if (transactionDepth_ == 0)
        Execute(QStringLiteral("BEGIN"));
    else
        Execute(QStringLiteral("SAVEPOINT qor_%1").arg(transactionDepth_));
    ++transactionDepth_;
}

void PostgresDatabase::Commit() {
    if (transactionDepth_ == 0) throw DbError(QStringLiteral("没有进行中的事务可以提交。"));
    if (transactionDepth_ > 1) {
        Execute(QStringLiteral("RELEASE SAVEPOINT qor_%1").arg(transactionDepth_ - 1));
        --transactionDepth_;
        return;
    }
    // The server answers COMMIT of a transaction that a failed statement
    // spoiled with ROLLBACK, not with an error.
    const bool spoiled = PQtransactionStatus(connection_) == PQTRANS_INERROR;
    const Result result = Run(QStringLiteral("COMMIT"), {}, QStringLiteral("COMMIT"));
    transactionDepth_ = 0;
    if (spoiled || std::strcmp(PQcmdStatus(const_cast<PGresult*>(result.get())), "ROLLBACK") == 0)
        throw DbError(QStringLiteral("事务中有语句出错，事务已经撤销，没有保存任何内容。"));
}

void PostgresDatabase::Rollback() {
    if (transactionDepth_ == 0) throw DbError(QStringLiteral("没有进行中的事务可以回滚。"));
    const int depth = --transactionDepth_;
    if (transactionLost_) {
        if (depth == 0) transactionLost_ = false;
        return;
    }
    if (depth == 0) {
        Execute(QStringLiteral("ROLLBACK"));
    } else {
        Execute(QStringLiteral("ROLLBACK TO SAVEPOINT qor_%1").arg(depth));
        Execute(QStringLiteral("RELEASE SAVEPOINT qor_%1").arg(depth));
    }
}

namespace {
// A value as COPY's text format writes it: \N for NULL, and backslashes,
// tabs and line breaks escaped.
void AppendCopyText(QByteArray& line, const QVariant& value) {
    if (IsNull(value)) {
        line += "\\N";
        return;
    }
    for (const char c : ParameterText(value)) {
        switch (c) {
            case '\\':
                line += "\\\\";
                break;
            case '\t':
                line += "\\t";
                break;
            case '\n':
                line += "\\n";
                break;
            case '\r':
                line += "\\r";
                break;
            default:
                line += c;
        }
    }
}
}  // namespace

void PostgresDatabase::AppendRows(const QString& table, const QStringList& columns,
                                  const std::vector<QVariantList>& rows) {
    if (rows.empty()) return;
    const QString copy = QStringLiteral("COPY %1 (%2) FROM STDIN").arg(table, columns.join(QStringLiteral(", ")));
    RequireConnection(copy);
    {
        const Result started(PQexec(connection_, copy.toUtf8().constData()));
        if (PQresultStatus(started.get()) != PGRES_COPY_IN) Fail(started.get(), copy);
    }
    constexpr qsizetype kSendAt = 1 << 20;
    QByteArray data;
    data.reserve(kSendAt + 4096);
    bool sent = true;
    for (const QVariantList& row : rows) {
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (i > 0) data += '\t';
            AppendCopyText(data, row[i]);
        }
        data += '\n';
        if (data.size() >= kSendAt) {
            sent = sent && PQputCopyData(connection_, data.constData(), static_cast<int>(data.size())) == 1;
            data.clear();
        }
    }
    if (!data.isEmpty())
        sent = sent && PQputCopyData(connection_, data.constData(), static_cast<int>(data.size())) == 1;
    sent = PQputCopyEnd(connection_, sent ? nullptr : "qor-erp: the rows could not be sent") == 1 && sent;
    // The answer to COPY, then the end of its results.
    Result finished(PQgetResult(connection_));
    while (PGresult* more = PQgetResult(connection_)) PQclear(more);
    if (!sent || PQresultStatus(finished.get()) != PGRES_COMMAND_OK) Fail(finished.get(), copy);
}

void PostgresDatabase::SetRolePassword(const QString& role, const QString& password) {
    RequireConnection(QStringLiteral("ALTER ROLE"));
    const QByteArray name = role.toUtf8();
    char* verifier = PQencryptPasswordConn(connection_, password.toUtf8().constData(), name.constData(), nullptr);
    if (!verifier) Fail(nullptr, QStringLiteral("ALTER ROLE"));
    QByteArray literal(verifier);
    PQfreemem(verifier);
    literal.replace('\'', "''");
    Execute(QStringLiteral("SELECT qor_lock_roles()"));
    Execute(QString::fromUtf8("ALTER ROLE " + QuotedName(name) + " PASSWORD '" + literal + "'"));
}

void PostgresDatabase::SetBulkLoad(bool on) {
    // Only this connection's commits stop waiting for the disk; the server
    // still never leaves a table half written.
    if (on) {
        Execute(QStringLiteral("SET synchronous_commit = off"));
        return;
    }
    Execute(QStringLiteral("RESET synchronous_commit"));
    // The planner learns what the load wrote now rather than when the
    // server's own statistics run comes round; tables of other schemas in
    // the same database are not this load's business.
    ExecuteScript(
        QStringLiteral("DO $$ DECLARE t record; BEGIN "
                       "FOR t IN SELECT tablename FROM pg_tables WHERE schemaname = current_schema() LOOP "
                       "EXECUTE format('ANALYZE %I', t.tablename); END LOOP; END $$"));
}

}  // namespace qor::db
