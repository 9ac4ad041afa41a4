#pragma once

#include <QString>

namespace qor::db {

// The stored form of a new password: an Argon2id string (libsodium's
// interactive limits: slow and memory-hard for whoever tries passwords
// against a copied user table) carrying its own random salt.
QString HashPassword(const QString& password);

// Whether password is the one stored: an Argon2id string, or the form of
// companies written before it, SHA-256 of salt then password as hex.
// Compared in constant time.
bool VerifyPassword(const QString& stored, const QString& salt, const QString& password);

// Whether the stored form is the older one, to be replaced by HashPassword's
// at the user's next successful login.
bool IsOlderPasswordHash(const QString& stored);

}  // namespace qor::db
