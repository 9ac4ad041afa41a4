#include "src/common/PropsString.h"

#include "platform/base/Convert.h"
#include "platform/base/HostError.h"

#include <utility>

namespace qor {

namespace {

DictionaryPtr& TheMap() {
    static DictionaryPtr map;
    return map;
}

// Splits text at the first delimiter: what stands before it and what follows
// it. Without the delimiter the whole text is the head and nothing follows.
std::pair<QString, QString> Cut(const QString& text, QChar delimiter) {
    const qsizetype at = text.indexOf(delimiter);
    if (at < 0) return {text, QString()};
    return {text.left(at), text.mid(at + 1)};
}

}  // namespace

bool ParsePropsString(const QString& text) {
    TheMap() = Dictionary::New();
    Dictionary& map = *TheMap();
    QString rest = text;
    for (;;) {
        auto [head, afterKey] = Cut(rest, u'=');
        const QString key = head.trimmed();
        if (key.isEmpty()) break;
        rest = afterKey.trimmed();
        QString value;
        if (rest.startsWith(u'{')) {
            auto [braced, afterBrace] = Cut(rest.mid(1), u'}');
            value = braced;
            rest = Cut(afterBrace, u';').second;
        } else {
            std::tie(value, rest) = Cut(rest, u';');
        }
        if (map.Exists(key)) throw HostError(QStringLiteral("该关键字已经与该集合的一个元素相关联: %1").arg(key));
        map.Set(key, value.trimmed());
    }
    return true;
}

DictionaryPtr PropsMap() { return TheMap(); }

QString GetPropItem(const QString& key) {
    const DictionaryPtr& map = TheMap();
    if (!map || !map->Exists(key)) throw HostError(QStringLiteral("属性串中没有 %1").arg(key));
    return NullToEmpty(map->Item(key));
}

int16_t CurrentUserID() { return ToInt16(GetPropItem(QStringLiteral("UserID"))); }

}  // namespace qor
