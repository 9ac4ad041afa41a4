#pragma once

#include <QString>

namespace qor {

// Shows a notice for a look-up that failed. A message dialog that cannot be
// shown is not reported again: the look-up has already given up.
void ShowLookupNotice(const QString& text);

}  // namespace qor
