#pragma once

struct sqlite3;

namespace qor::db {

// Registers the T-SQL functions the module's statements call and SQLite
// lacks: CHARINDEX(find, search [, start]) answers the 1-based character
// position of find in search at or after start, 0 when it is absent or find
// is empty, NULL when an argument is NULL. ASCII letters compare without
// case, as under the default collation of the module's original database.
void RegisterSqlFunctions(sqlite3* db);

}  // namespace qor::db
