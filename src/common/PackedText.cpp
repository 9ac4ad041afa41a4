#include "src/common/PackedText.h"

namespace qor {

QString JoinKV(const QString& key, const QString& value, const QString& separator) {
    return key + u'=' + value + separator;
}

QString GetKV(const QString& packed, const QString& key, const QString& separator) {
    const QString enclosed = separator + packed + separator;
    const QString itemStart = separator + key + u'=';
    const qsizetype found = enclosed.indexOf(itemStart, 0, Qt::CaseInsensitive);
    if (found < 0) return QString();
    const qsizetype from = found + itemStart.size();
    const qsizetype end = enclosed.indexOf(separator, from);
    return end < 0 ? enclosed.mid(from) : enclosed.mid(from, end - from);
}

}  // namespace qor
