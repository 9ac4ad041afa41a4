#pragma once

#include "platform/base/Dictionary.h"

#include <QString>
#include <cstdint>

namespace qor {

// Parses a host property string into the process-wide PropsMap, replacing the
// previous map: entries key=value separated by ";", keys and values trimmed.
// A value that starts with "{" runs to the next "}" and may hold ";" and "=";
// what follows the "}" up to the next ";" is dropped. Parsing stops at the
// first empty key. A key given twice throws HostError. Returns true.
bool ParsePropsString(const QString& text);

// The map of the last parse; null before the first one.
DictionaryPtr PropsMap();

// The value under key in PropsMap. Throws HostError when nothing was parsed
// yet or the key is absent.
QString GetPropItem(const QString& key);

// The "UserID" item as a 16-bit integer; errors reach the caller.
int16_t CurrentUserID();

}  // namespace qor
