#pragma once

#include <QString>

namespace qor {

// The text for a terminal: control characters (but line breaks and tabs)
// written as \xHH, so that text a user typed or a file held cannot move the
// cursor, change colours or retitle the terminal when a message echoes it.
QString WithVisibleControls(const QString& text);

}  // namespace qor
