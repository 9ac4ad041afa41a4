#pragma once

#include "db/Database.h"

#include <QString>

namespace qor::db {

enum class OpenMode {
    Existing,  // an existing company database at the schema version this program uses
    Upgrade,   // an existing company database; pending migrations are applied
    Create,    // a new company database; an existing file is never overwritten
};

// Opens the company database named by connectionText (for SQLite, the file's
// path). Opening refuses, with a Chinese description in a DbError and without
// writing anything, a missing, unreadable or read-only file, a file that is
// not a database or is damaged, a database that is not a company database and
// one whose schema version this program does not use.
DatabasePtr OpenDatabase(const QString& connectionText, OpenMode mode = OpenMode::Existing);

}  // namespace qor::db
