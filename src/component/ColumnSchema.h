#pragma once

#include "platform/base/Vector.h"

namespace qor {

// Appends the seven column descriptors of a trace record to vectCol, creating
// the Vector when there is none. Each descriptor is a Dictionary with FName,
// FCaption, FLookUpCls, FReturnType, FColWidth, FColVisible, FDataType,
// FLocked, FNeedSave, FMustInput (numbers as 16-bit integers), and FSelBills
// on the first one only. Never clears what vectCol already holds.
void BuildColumnSchema(VectorPtr& vectCol);

}  // namespace qor
