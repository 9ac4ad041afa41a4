#pragma once

#include <QString>

namespace qor::app {

// The host property string the shell publishes for the logged-in user: the
// connection text is its first braced value, so components that need the
// database cut it out of the string.
QString BuildPropsString(const QString& connectionText, int userId, const QString& userName);

}  // namespace qor::app
