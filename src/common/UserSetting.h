#pragma once

#include <QString>
#include <cstdint>

namespace qor {

// The user's numeric setting key of category "QOR_APFC" in t_UserSetting,
// read through the host connection: the leading number of its FValue (0 for
// a null or non-numeric value), defaultValue when there is no row or the
// read fails.
double GetUserSetting(int32_t userId, const QString& key, double defaultValue);

// The logged-in user's report font size ("RptFontSize"), 9 when none is set.
double ReportFontSize();

}  // namespace qor
