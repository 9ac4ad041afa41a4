#pragma once

#include "platform/db/Database.h"

#include <QString>
#include <optional>
#include <vector>

namespace qor::db {

// One step of the company schema: the script that takes a database from
// version - 1 to version. Scripts use the dialect's placeholders ({AUTOID}).
// After script, sqliteScript runs on SQLite only and postgreSqlScript on
// PostgreSQL only (what the two write differently: functions, text indexes).
struct Migration {
    int version = 0;
    QString script;
    QString sqliteScript = {};
    QString postgreSqlScript = {};
};

// The company schema's migrations, oldest first.
const std::vector<Migration>& CompanyMigrations();

// The version the last of the migrations reaches.
int LatestSchemaVersion(const std::vector<Migration>& migrations = CompanyMigrations());

// The database's schema version: the newest migration recorded in its version
// table, 0 when the table is empty, nothing when it has no version table (a
// new file, or a database that is not a company database).
std::optional<int> SchemaVersion(Database& db);

// Applies the migrations newer than the database's version, in order, each in
// its own transaction together with its row in the version table, and creates
// the version table when it is missing. Answers how many migrations ran.
int MigrateDatabase(Database& db, const std::vector<Migration>& migrations = CompanyMigrations());

}  // namespace qor::db
