#pragma once

#include "platform/services/Session.h"

namespace qor::services {

// Logs a user in to a company database: checks the name and the password
// against the user store and answers the session of that user, or throws
// HostError with the reason for the user. Writes nothing to the database.
SessionPtr Authenticate(const db::DatabasePtr& database, const QString& userName, const QString& password);

// The session of the company user whose own login role the server
// connection is (the server has checked the password); throws HostError
// when the role is no user's or the user is disabled.
SessionPtr AuthenticateServerUser(const db::DatabasePtr& database);

}  // namespace qor::services
