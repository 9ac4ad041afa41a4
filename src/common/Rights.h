#pragma once

#include "src/host/TraceRights.h"

#include <QString>
#include <cstdint>

namespace qor {

// Whether the user holds the right, asked of the process-wide GLData. Every
// failure counts as a refusal; shows nothing.
bool CheckRight(int32_t module, int32_t detail, int32_t mask);

// Whether the user may view the host list listId, by the module and detail
// of the list's rights descriptor. Shows its own message when refused or
// when the rights cannot be read.
bool CheckListRight(int32_t listId);

// The number after "|key:" in a rights descriptor such as
// "|FModule:1004|FModelDetail:10|", as decimal text; "" when the key is absent.
QString GetLogicValue(const QString& descriptor, const QString& key);

}  // namespace qor
