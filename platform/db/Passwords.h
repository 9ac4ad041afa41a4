#pragma once

#include <QString>

namespace qor::db {

// A new random salt for one user's password: 16 bytes as 32 hex digits.
QString NewSalt();

// The stored form of a password: SHA-256 of the salt followed by the
// password (both UTF-8), as 64 lower-case hex digits.
QString HashPassword(const QString& salt, const QString& password);

}  // namespace qor::db
