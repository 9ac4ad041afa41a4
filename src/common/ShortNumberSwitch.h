#pragma once

namespace qor {

// The process-wide short-number switch: when on, item codes are shown and
// searched as the item's short number (FShortNumber) instead of its full
// number (FNumber). Set when the module's component is created.
bool UseShortNumber();
void SetUseShortNumber(bool on);

}  // namespace qor
