#pragma once

#include <QString>

namespace qor {

// The text for a terminal: control characters (but line breaks and tabs)
// written as \xHH, so that text a user typed or a file held cannot move the
// cursor, change colours or retitle the terminal when a message echoes it.
QString WithVisibleControls(const QString& text);

// Whether the text holds characters no stored code may hold: control
// characters (NUL, which PostgreSQL would cut the text at, among them) and
// invisible format characters such as a byte-order mark.
bool HasControlCharacters(const QString& text);

}  // namespace qor
