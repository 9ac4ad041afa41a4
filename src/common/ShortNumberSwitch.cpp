#include "src/common/ShortNumberSwitch.h"

namespace qor {

namespace {
bool useShortNumber = false;
}  // namespace

bool UseShortNumber() { return useShortNumber; }

void SetUseShortNumber(bool on) { useShortNumber = on; }

}  // namespace qor
