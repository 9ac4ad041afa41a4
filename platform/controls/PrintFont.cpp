#include "platform/controls/PrintFont.h"

#include <QFontDatabase>
#include <QStringList>

namespace qor::controls {

namespace {

QFontDatabase::WritingSystem ScriptOf(int charset) {
    switch (charset) {
        case 128:
            return QFontDatabase::Japanese;
        case 129:
            return QFontDatabase::Korean;
        case 134:
            return QFontDatabase::SimplifiedChinese;
        case 136:
            return QFontDatabase::TraditionalChinese;
        default:
            return QFontDatabase::Any;
    }
}

}  // namespace

QFont PrintFont::Resolve(const QFont& fallback) const {
    QFont font(fallback);
    QString family = name_;
    if (family.isEmpty() || !QFontDatabase::hasFamily(family)) {
        const QFontDatabase::WritingSystem script = ScriptOf(charset_);
        const QStringList candidates = script == QFontDatabase::Any ? QStringList() : QFontDatabase::families(script);
        family = candidates.isEmpty() ? fallback.family() : candidates.first();
    }
    font.setFamily(family);
    font.setPointSizeF(size_ > 0 ? size_ : fallback.pointSizeF());
    font.setBold(bold_);
    font.setItalic(false);
    return font;
}

}  // namespace qor::controls
