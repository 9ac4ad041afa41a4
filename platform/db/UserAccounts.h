#pragma once

#include "platform/db/Database.h"

#include <QString>

namespace qor::db {

// The company's users and their rights on the batch trace list. On a server
// every user is also a login role of their own, which the schema creates,
// renames and disables with the user; its password is the user's, and the
// server checks it. Each call refuses with a HostError in Chinese.

// Adds a user; answers the user's ID.
int AddUser(Database& db, const QString& name, const QString& description, const QString& password);
void SetPassword(Database& db, const QString& name, const QString& password);
void SetUserDisabled(Database& db, const QString& name, bool disabled);
// Adds (grant) or takes away the rights of mask on the batch trace list.
void ChangeTraceRights(Database& db, const QString& name, qint64 mask, bool grant);

}  // namespace qor::db
