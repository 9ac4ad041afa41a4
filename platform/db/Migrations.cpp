#include "platform/db/Migrations.h"

#include <QDateTime>

namespace qor::db {

extern const char kSchemaScript[];
extern const char kPostgresFunctionsScript[];
extern const char kFindIndexesScript[];
extern const char kFindIndexesSqliteScript[];
extern const char kFindIndexesPostgresScript[];
extern const char kSaveFunctionPostgresScript[];
extern const char kServerRightsPostgresScript[];
extern const char kRoleLocksPostgresScript[];
extern const char kSaveFunctionAgainPostgresScript[];

namespace {
const QString kVersionTable = QStringLiteral("t_SchemaVersion");
}

const std::vector<Migration>& CompanyMigrations() {
    static const std::vector<Migration> migrations{
        {1, QString::fromUtf8(kSchemaScript), {}, QString::fromUtf8(kPostgresFunctionsScript)},
        {2, QString::fromUtf8(kFindIndexesScript), QString::fromUtf8(kFindIndexesSqliteScript),
         QString::fromUtf8(kFindIndexesPostgresScript)},
        {3, QString(), {}, QString::fromUtf8(kSaveFunctionPostgresScript)},
        // The save function again, now asking the rights of the session's user.
        {4,
         QString(),
         {},
         QString::fromUtf8(kSaveFunctionPostgresScript) + QStringLiteral("\n") +
             QString::fromUtf8(kRoleLocksPostgresScript) + QStringLiteral("\n") +
             QString::fromUtf8(kServerRightsPostgresScript)},
        // The planner's statistics, for companies loaded before they were kept.
        {5, QString(), QStringLiteral("PRAGMA analysis_limit = 1000; ANALYZE;"), QStringLiteral("ANALYZE;")},
        // Changes of the shared login roles, one transaction at a time.
        {6, QString(), {}, QString::fromUtf8(kRoleLocksPostgresScript)},
        // The save function refusing unknown operations and every invisible format character.
        {7,
         QString(),
         {},
         QString::fromUtf8(kSaveFunctionPostgresScript) + QStringLiteral("\n") +
             QString::fromUtf8(kSaveFunctionAgainPostgresScript)},
    };
    return migrations;
}

int LatestSchemaVersion(const std::vector<Migration>& migrations) {
    return migrations.empty() ? 0 : migrations.back().version;
}

std::optional<int> SchemaVersion(Database& db) {
    if (!db.TableExists(kVersionTable)) return std::nullopt;
    const RecordsetPtr rs = db.Query(QStringLiteral("SELECT MAX(FVersion) AS FVersion FROM t_SchemaVersion"));
    return rs->Fields(0).IsNull() ? 0 : rs->Fields(0).Value().toInt();
}

int MigrateDatabase(Database& db, const std::vector<Migration>& migrations) {
    if (!db.TableExists(kVersionTable))
        db.ExecuteScript(
            QStringLiteral("CREATE TABLE t_SchemaVersion (\n"
                           "  FVersion INTEGER NOT NULL PRIMARY KEY,\n"
                           "  FAppliedAt VARCHAR(19) NOT NULL\n"
                           ")"));
    const int current = SchemaVersion(db).value_or(0);
    int applied = 0;
    for (const Migration& migration : migrations) {
        if (migration.version <= current) continue;
        Transaction transaction(db);
        db.ExecuteScript(db.SqlDialect().ExpandScript(migration.script));
        const QString& ownScript =
            db.SqlDialect().Kind() == BackendKind::PostgreSql ? migration.postgreSqlScript : migration.sqliteScript;
        if (!ownScript.isEmpty()) db.ExecuteScript(ownScript);
        db.Execute(QStringLiteral("INSERT INTO t_SchemaVersion (FVersion, FAppliedAt) VALUES (?, ?)"),
                   {migration.version, QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))});
        transaction.Commit();
        ++applied;
    }
    return applied;
}

}  // namespace qor::db
