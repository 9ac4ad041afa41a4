#pragma once

#include "platform/base/Dictionary.h"

#include <QString>
#include <cstdint>

namespace qor {

// The list of sales-order lines the sales-order look-up opens.
inline constexpr int32_t kSalesOrderListId = 32;

// The list's base information: the first braced value of the host property
// string, "|", the user id, "|", the user name. Conn={A=1;B=2} for user 16
// named abc gives A=1;B=2|16|abc. Throws HostError when no "}" closes it.
QString ListBaseInfo(const QString& propsString, const QString& userId, const QString& userName);

// Lets the user choose a sales-order line from list 32 narrowed by filter
// and copies the order's id, its number and the line into result. 1 when a
// line was copied or the user may not open the list (already told), -1 when
// nothing was chosen or the order id is missing. Throws HostError when the
// chosen line no longer exists or a host call fails.
int32_t SalesOrderLookup(const QString& filter, const QString& userId, Dictionary& result);

}  // namespace qor
