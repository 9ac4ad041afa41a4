#include "tests/support/FakeObject.h"

#include "platform/base/Convert.h"
#include "platform/base/HostError.h"
#include "src/host/ProgIds.h"

namespace qor::test {

FakeObject& FakeObject::On(const QString& member, Handler handler) {
    handlers_.insert(member.toLower(), std::move(handler));
    return *this;
}

FakeObject& FakeObject::Returns(const QString& member, const QVariant& value) {
    return On(member, [value](QVariantList&) { return value; });
}

QVariant FakeObject::Invoke(const QString& member, host::CallKind kind, QVariantList& args) {
    calls_.push_back({member, kind, args});
    const QString key = member.toLower();
    auto h = handlers_.constFind(key);
    if (h != handlers_.cend()) return (*h)(args);
    if (kind == host::CallKind::PropertyPut) {
        properties_.insert(key, args.value(0));
        return {};
    }
    if (kind == host::CallKind::PropertyGet && properties_.contains(key)) return properties_.value(key);
    throw HostError(QStringLiteral("对象 %1 不支持此属性或方法: %2").arg(progId_, member));
}

std::vector<RecordedCall> FakeObject::CallsOf(const QString& member) const {
    std::vector<RecordedCall> out;
    for (const auto& c : calls_)
        if (c.member.compare(member, Qt::CaseInsensitive) == 0) out.push_back(c);
    return out;
}

QVariant FakeObject::Property(const QString& name) const { return properties_.value(name.toLower()); }

FakeObjectPtr RegisterFake(const QString& progId) {
    auto fake = std::make_shared<FakeObject>(progId);
    host::ComponentFactory::Register(progId, [fake] { return fake; });
    return fake;
}

ScriptedMessages::ScriptedMessages() {
    host::ComponentFactory::Register(QString::fromLatin1(host::progid::kMessageDialog), [shown = shown_, self = this] {
        auto box = std::make_shared<FakeObject>(QString::fromLatin1(host::progid::kMessageDialog));
        auto* raw = box.get();
        box->On(QStringLiteral("Show"), [shown, self, raw](QVariantList& args) {
            const int kind = ToInt32(args.value(0));
            shown->push_back({kind, NullToEmpty(raw->Property(QStringLiteral("Title"))),
                              NullToEmpty(raw->Property(QStringLiteral("Text")))});
            if (kind != 1) return QVariant(1);
            return QVariant(self->next_ < self->answers_.size() ? self->answers_[self->next_++] : 2);
        });
        box->On(QStringLiteral("MsgBox"), [shown](QVariantList& args) {
            shown->push_back({-1, NullToEmpty(args.value(2)), NullToEmpty(args.value(0)), ToInt32(args.value(1))});
            return QVariant(1);
        });
        box->Returns(QStringLiteral("AddButton"), {});
        return box;
    });
}

QStringList ScriptedMessages::Texts() const {
    QStringList texts;
    for (const auto& m : *shown_) texts.append(m.text);
    return texts;
}

}  // namespace qor::test
