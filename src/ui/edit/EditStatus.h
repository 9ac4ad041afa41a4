#pragma once

#include <cstdint>

namespace qor {

// What the edit window was opened for: a new record, a record the user may
// change, or one the user may only look at.
enum class EditStatus : int32_t { New = 0, Modify = 1, View = 2 };

// A step through the list's records in the edit window; Stay shows the
// record the window was opened on.
enum class MoveDirection : int32_t { Stay = -1, First = 0, Previous = 1, Next = 2, Last = 3 };

}  // namespace qor
