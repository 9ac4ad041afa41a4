#pragma once

#include "platform/base/Vector.h"

namespace qor {

// Opens the main list window on the schema vectCol, modally and without an
// owner, and returns when the user has closed it.
void OpenTraceWindow(const VectorPtr& vectCol);

}  // namespace qor
