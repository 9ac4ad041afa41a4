#pragma once

#include <QString>
#include <QVariant>

namespace qor {

// A value of the host's per-user profile (application, section, key): a
// Boolean when defaultValue is one, text otherwise; defaultValue when the key
// is not stored. Any failure answers an empty value.
QVariant GetUserProfile(const QString& application, const QString& section, const QString& key,
                        const QVariant& defaultValue);

// Stores value under key in the profile and saves it. Errors reach the
// caller; answers true.
bool SaveUserProfile(const QString& application, const QString& section, const QString& key, const QVariant& value);

}  // namespace qor
