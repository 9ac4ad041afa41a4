#include "platform/db/SqliteDatabase.h"

#include "platform/base/Convert.h"
#include "platform/base/RecordsetBuilder.h"
#include "platform/db/DbError.h"
#include "platform/db/SqlRewrite.h"
#include "platform/db/SqliteFunctions.h"

#include <sqlite3.h>
#include <QDate>
#include <QDateTime>
#include <QFileInfo>
#include <QUrl>

#include <string_view>

namespace qor::db {

namespace {
constexpr int kBusyTimeoutMs = 5000;
constexpr qsizetype kStatementCacheSize = 64;

// Column type from the declared type, by SQLite's own affinity rules.
// Expressions have no declared type; they start as integers and the
// builder widens them by their values.
FieldType DeclaredType(const char* declared) {
    if (!declared) return FieldType::Integer;
    const QByteArray type = QByteArray(declared).toUpper();
    if (type.contains("INT")) return FieldType::Integer;
    if (type.contains("CHAR") || type.contains("CLOB") || type.contains("TEXT")) return FieldType::Text;
    if (type.isEmpty() || type.contains("BLOB")) return FieldType::Integer;
    return FieldType::Double;
}

bool IsBlank(const char* text) {
    for (; *text; ++text)
        if (*text != ' ' && *text != '\t' && *text != '\r' && *text != '\n' && *text != ';') return false;
    return true;
}

QString ErrorText(sqlite3* db) {
    return QStringLiteral("数据库返回错误：%1").arg(QString::fromUtf8(sqlite3_errmsg(db)));
}

DbFailure FailureOf(sqlite3* db) {
    switch (sqlite3_extended_errcode(db)) {
        case SQLITE_CONSTRAINT_UNIQUE:
        case SQLITE_CONSTRAINT_PRIMARYKEY:
            return DbFailure::UniqueViolation;
        default:
            break;
    }
    const int primary = sqlite3_errcode(db);
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED ? DbFailure::Conflict : DbFailure::Other;
}
}  // namespace

// Resets a cached statement and its bindings when the caller is done with it.
class SqliteDatabase::StatementUse {
public:
    explicit StatementUse(sqlite3_stmt* statement) : statement_(statement) {}
    ~StatementUse() {
        if (!statement_) return;
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
    }
    StatementUse(const StatementUse&) = delete;
    StatementUse& operator=(const StatementUse&) = delete;

private:
    sqlite3_stmt* statement_;
};

namespace {

sqlite3* OpenHandle(const QByteArray& name, int flags, const QString& path) {
    sqlite3* handle = nullptr;
    const int rc = sqlite3_open_v2(name.constData(), &handle, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString reason =
            handle ? QString::fromUtf8(sqlite3_errmsg(handle)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close_v2(handle);
        throw DbError(QStringLiteral("无法打开数据库文件 %1：%2").arg(path, reason));
    }
    sqlite3_extended_result_codes(handle, 1);
    sqlite3_busy_timeout(handle, kBusyTimeoutMs);
    try {
        RegisterSqlFunctions(handle);
    } catch (...) {
        sqlite3_close_v2(handle);
        throw;
    }
    return handle;
}

}  // namespace

std::shared_ptr<SqliteDatabase> SqliteDatabase::Open(const QString& path, bool create) {
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    return std::shared_ptr<SqliteDatabase>(new SqliteDatabase(OpenHandle(path.toUtf8(), flags, path), path));
}

std::shared_ptr<SqliteDatabase> SqliteDatabase::OpenReadOnly(const QString& path, bool immutable) {
    QUrl uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    uri.setQuery(immutable ? QStringLiteral("mode=ro&immutable=1") : QStringLiteral("mode=ro"));
    const QByteArray name = uri.toString(QUrl::FullyEncoded).toUtf8();
    return std::shared_ptr<SqliteDatabase>(
        new SqliteDatabase(OpenHandle(name, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, path), path));
}

SqliteDatabase::SqliteDatabase(sqlite3* handle, const QString& path) : db_(handle), path_(path) {}

SqliteDatabase::~SqliteDatabase() {
    for (const CachedStatement& cached : std::as_const(statements_)) sqlite3_finalize(cached.statement);
    sqlite3_close_v2(db_);
}

void SqliteDatabase::Fail(const QString& sql) const { throw DbError(ErrorText(db_), sql, FailureOf(db_)); }

sqlite3_stmt* SqliteDatabase::Prepare(const QString& sql) {
    auto found = statements_.find(sql);
    if (found != statements_.end()) {
        found->lastUse = ++useCounter_;
        return found->statement;
    }
    const QByteArray utf8 = RewriteIsNullCalls(sql).toUtf8();
    sqlite3_stmt* statement = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v3(db_, utf8.constData(), static_cast<int>(utf8.size()) + 1, SQLITE_PREPARE_PERSISTENT,
                           &statement, &tail) != SQLITE_OK)
        Fail(sql);
    if (tail && !IsBlank(tail)) {
        sqlite3_stmt* second = nullptr;
        sqlite3_prepare_v2(db_, tail, -1, &second, nullptr);
        if (second) {
            sqlite3_finalize(second);
            sqlite3_finalize(statement);
            throw DbError(QStringLiteral("一次只能执行一条语句，脚本请逐条执行。"), sql);
        }
    }
    if (!statement) return nullptr;  // only blanks or comments
    if (statements_.size() >= kStatementCacheSize) EvictOldestStatement();
    statements_.insert(sql, CachedStatement{statement, ++useCounter_});
    return statement;
}

void SqliteDatabase::EvictOldestStatement() {
    auto oldest = statements_.begin();
    for (auto it = statements_.begin(); it != statements_.end(); ++it)
        if (it->lastUse < oldest->lastUse) oldest = it;
    sqlite3_finalize(oldest->statement);
    statements_.erase(oldest);
}

void SqliteDatabase::Bind(sqlite3_stmt* statement, const QVariantList& params, const QString& sql) {
    const int expected = sqlite3_bind_parameter_count(statement);
    if (expected != params.size())
        throw DbError(QStringLiteral("语句需要 %1 个参数，实际给了 %2 个。").arg(expected).arg(params.size()), sql);
    for (int i = 0; i < expected; ++i) {
        const QVariant& value = params[i];
        const int slot = i + 1;
        int rc = SQLITE_OK;
        switch (IsNull(value) ? QMetaType::UnknownType : value.typeId()) {
            case QMetaType::UnknownType:
                rc = sqlite3_bind_null(statement, slot);
                break;
            case QMetaType::Bool:
                rc = sqlite3_bind_int(statement, slot, value.toBool() ? 1 : 0);
                break;
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::Short:
            case QMetaType::UShort:
            case QMetaType::Long:
            case QMetaType::LongLong:
            case QMetaType::ULongLong:
                rc = sqlite3_bind_int64(statement, slot, value.toLongLong());
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                rc = sqlite3_bind_double(statement, slot, value.toDouble());
                break;
            case QMetaType::QByteArray: {
                const QByteArray bytes = value.toByteArray();
                rc = sqlite3_bind_blob64(statement, slot, bytes.constData(), static_cast<sqlite3_uint64>(bytes.size()),
                                         SQLITE_TRANSIENT);
                break;
            }
            default: {
                QString text;
                if (value.typeId() == QMetaType::QDate)
                    text = value.toDate().toString(Qt::ISODate);
                else if (value.typeId() == QMetaType::QDateTime)
                    text = value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
                else
                    text = value.toString();
                const void* data = text.isNull() ? static_cast<const void*>(u"") : text.constData();
                rc = sqlite3_bind_text16(statement, slot, data, static_cast<int>(text.size() * 2), SQLITE_TRANSIENT);
            }
        }
        if (rc != SQLITE_OK) Fail(sql);
    }
}

RecordsetPtr SqliteDatabase::Query(const QString& sql, const QVariantList& params) {
    sqlite3_stmt* statement = Prepare(sql);
    StatementUse use(statement);
    RecordsetBuilder builder;
    if (!statement) return builder.Finish();
    Bind(statement, params, sql);
    const int columns = sqlite3_column_count(statement);
    for (int i = 0; i < columns; ++i)
        builder.AddField(QString::fromUtf8(sqlite3_column_name(statement, i)),
                         DeclaredType(sqlite3_column_decltype(statement, i)));
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        for (int i = 0; i < columns; ++i) {
            switch (sqlite3_column_type(statement, i)) {
                case SQLITE_INTEGER:
                    builder.AppendInt(i, sqlite3_column_int64(statement, i));
                    break;
                case SQLITE_FLOAT:
                    builder.AppendDouble(i, sqlite3_column_double(statement, i));
                    break;
                case SQLITE_NULL:
                    builder.AppendNull(i);
                    break;
                default: {
                    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, i));
                    const auto bytes = static_cast<size_t>(sqlite3_column_bytes(statement, i));
                    builder.AppendText(i, std::string_view(text ? text : "", bytes));
                }
            }
        }
        builder.EndRow();
    }
    if (rc != SQLITE_DONE) Fail(sql);
    return builder.Finish();
}

qint64 SqliteDatabase::Execute(const QString& sql, const QVariantList& params) {
    sqlite3_stmt* statement = Prepare(sql);
    StatementUse use(statement);
    if (!statement) return 0;
    Bind(statement, params, sql);
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) Fail(sql);
    return sqlite3_changes64(db_);
}

void SqliteDatabase::ExecuteScript(const QString& sql) {
    const QByteArray utf8 = RewriteIsNullCalls(sql).toUtf8();
    const char* next = utf8.constData();
    while (next && *next) {
        sqlite3_stmt* statement = nullptr;
        const char* tail = nullptr;
        if (sqlite3_prepare_v2(db_, next, -1, &statement, &tail) != SQLITE_OK) {
            const QString rest = QString::fromUtf8(next).left(200);
            Fail(rest);
        }
        next = tail;
        if (!statement) continue;
        int rc;
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE) {
            const QString failed = QString::fromUtf8(sqlite3_sql(statement));
            const DbError error(ErrorText(db_), failed, FailureOf(db_));
            sqlite3_finalize(statement);
            throw error;
        }
        sqlite3_finalize(statement);
    }
}

qint64 SqliteDatabase::LastInsertId() { return sqlite3_last_insert_rowid(db_); }

bool SqliteDatabase::TableExists(const QString& name) {
    return Query(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type='table' AND name=? COLLATE NOCASE"), {name})
               ->RecordCount() > 0;
}

void SqliteDatabase::Begin() {
    if (transactionDepth_ == 0)
        Execute(QStringLiteral("BEGIN IMMEDIATE"));
    else
        Execute(QStringLiteral("SAVEPOINT qor_%1").arg(transactionDepth_));
    ++transactionDepth_;
}

void SqliteDatabase::Commit() {
    if (transactionDepth_ == 0) throw DbError(QStringLiteral("没有进行中的事务可以提交。"));
    if (transactionDepth_ == 1)
        Execute(QStringLiteral("COMMIT"));
    else
        Execute(QStringLiteral("RELEASE qor_%1").arg(transactionDepth_ - 1));
    --transactionDepth_;
}

void SqliteDatabase::Rollback() {
    if (transactionDepth_ == 0) throw DbError(QStringLiteral("没有进行中的事务可以回滚。"));
    const int depth = --transactionDepth_;
    if (sqlite3_get_autocommit(db_)) {  // SQLite already rolled the whole transaction back after an error
        transactionDepth_ = 0;
        return;
    }
    if (depth == 0) {
        Execute(QStringLiteral("ROLLBACK"));
    } else {
        Execute(QStringLiteral("ROLLBACK TO qor_%1").arg(depth));
        Execute(QStringLiteral("RELEASE qor_%1").arg(depth));
    }
}

void SqliteDatabase::SetBulkLoad(bool on) {
    if (on) {
        journalModeBeforeBulkLoad_ = Query(QStringLiteral("PRAGMA journal_mode"))->Fields(0).Text();
        // A new file's pages are appended, not changed, so an in-memory rollback
        // journal costs next to nothing and keeps ROLLBACK working.
        Execute(QStringLiteral("PRAGMA journal_mode=MEMORY"));
        Execute(QStringLiteral("PRAGMA synchronous=OFF"));
        Execute(QStringLiteral("PRAGMA cache_size=-262144"));
        return;
    }
    if (journalModeBeforeBulkLoad_.isEmpty()) return;
    Execute(QStringLiteral("PRAGMA journal_mode=%1").arg(journalModeBeforeBulkLoad_));
    const bool wal = journalModeBeforeBulkLoad_.compare(QStringLiteral("wal"), Qt::CaseInsensitive) == 0;
    Execute(wal ? QStringLiteral("PRAGMA synchronous=NORMAL") : QStringLiteral("PRAGMA synchronous=FULL"));
    Execute(QStringLiteral("PRAGMA cache_size=-2000"));
    journalModeBeforeBulkLoad_.clear();
    // The planner learns the sizes the load wrote: without them it reads an
    // item by its short number through the index of its class, all 70,000
    // items of it, instead of the short-number index.
    ExecuteScript(QStringLiteral("PRAGMA analysis_limit = 1000; ANALYZE"));
}

bool SqliteDatabase::IsReadOnly() const { return sqlite3_db_readonly(db_, "main") == 1; }

void SqliteDatabase::UseWriteAheadLog() {
    const QString mode = Query(QStringLiteral("PRAGMA journal_mode=WAL"))->Fields(0).Text();
    if (mode.compare(QStringLiteral("wal"), Qt::CaseInsensitive) != 0)
        throw DbError(QStringLiteral("无法把数据库 %1 切换为预写日志模式（当前为 %2）。").arg(path_, mode));
    Execute(QStringLiteral("PRAGMA synchronous=NORMAL"));
}

}  // namespace qor::db
