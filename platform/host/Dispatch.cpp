#include "platform/host/Dispatch.h"

#include "platform/base/Convert.h"
#include "platform/base/HostError.h"

namespace qor::host {

void Dispatch::Method(const QString& name, Handler handler) { methods_.insert(name.toLower(), std::move(handler)); }

void Dispatch::Property(const QString& name, Getter getter, Setter setter) {
    properties_.insert(name.toLower(), {std::move(getter), std::move(setter)});
}

QVariant Dispatch::Invoke(const QString& member, CallKind kind, QVariantList& args) {
    const QString key = member.toLower();
    if (kind == CallKind::Method) {
        auto m = methods_.constFind(key);
        if (m != methods_.cend()) return (*m)(args);
    } else {
        auto p = properties_.constFind(key);
        if (p != properties_.cend()) {
            if (kind == CallKind::PropertyGet && p->first) return p->first();
            if (kind == CallKind::PropertyPut && p->second) {
                p->second(Arg(args, 0));
                return {};
            }
        }
        if (kind == CallKind::PropertyGet) {  // a method without arguments reads like a property
            auto m = methods_.constFind(key);
            if (m != methods_.cend()) return (*m)(args);
        }
    }
    throw HostError(QStringLiteral("对象 %1 不支持此属性或方法: %2").arg(progId_, member));
}

const QVariant& Arg(const QVariantList& args, int i) {
    if (i < 0 || i >= args.size()) throw HostError(QStringLiteral("参数个数不对: 缺少第 %1 个参数").arg(i + 1));
    return args[i];
}

QString ArgText(const QVariantList& args, int i) { return NullToEmpty(Arg(args, i)); }
int32_t ArgInt(const QVariantList& args, int i) { return ToInt32(Arg(args, i)); }
bool ArgBool(const QVariantList& args, int i) { return ToBool(Arg(args, i)); }

VectorPtr ArgVector(const QVariantList& args, int i) {
    auto v = Arg(args, i).value<VectorPtr>();
    if (!v) throw HostError(QStringLiteral("第 %1 个参数不是 Vector").arg(i + 1));
    return v;
}

DictionaryPtr ArgDictionary(const QVariantList& args, int i) {
    auto d = Arg(args, i).value<DictionaryPtr>();
    if (!d) throw HostError(QStringLiteral("第 %1 个参数不是 Dictionary").arg(i + 1));
    return d;
}

}  // namespace qor::host
