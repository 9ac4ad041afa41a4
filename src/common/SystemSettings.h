#pragma once

#include <QString>

namespace qor {

// A system-profile value from the host's SysInfo component (created through
// ObjectFactory), as text. Any failure answers defaultValue.
QString ReadSysValue(const QString& category, const QString& key, const QString& defaultValue);

}  // namespace qor
