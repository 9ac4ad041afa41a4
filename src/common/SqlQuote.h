#pragma once

#include <QString>

namespace qor {

// The one way user text reaches SQL text: optionally trimmed, every single
// quote doubled, optionally enclosed in single quotes. O'Neil -> 'O''Neil'.
QString SqlQuote(const QString& text, bool addQuotes, bool trim);

}  // namespace qor
