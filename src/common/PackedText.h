#pragma once

#include <QString>

// Several key=value items packed into one stored text, each item followed by
// a separator: "FontName=宋体|FontSize=9|".
namespace qor {

// key "=" value separator.
QString JoinKV(const QString& key, const QString& value, const QString& separator);

// The value of key (matched without case) in packed text; "" when absent. The
// last item needs no trailing separator.
QString GetKV(const QString& packed, const QString& key, const QString& separator);

}  // namespace qor
