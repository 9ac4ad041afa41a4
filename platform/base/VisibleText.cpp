#include "platform/base/VisibleText.h"

#include <QList>

namespace qor {

QString WithVisibleControls(const QString& text) {
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool control = (u < 0x20 && u != u'\n' && u != u'\t') || (u >= 0x7F && u < 0xA0);
        if (control)
            shown += QStringLiteral("\\x") + QString::number(u, 16).toUpper().rightJustified(2, u'0');
        else
            shown += c;
    }
    return shown;
}

bool HasControlCharacters(const QString& text) {
    // By code point, so that format characters beyond the first plane (tags) count too.
    for (const char32_t c : text.toUcs4())
        if (QChar::category(c) == QChar::Other_Control || QChar::category(c) == QChar::Other_Format) return true;
    return false;
}

}  // namespace qor
