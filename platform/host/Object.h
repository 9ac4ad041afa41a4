#pragma once

#include "platform/base/Variant.h"

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <memory>

namespace qor::host {

enum class CallKind { Method, PropertyGet, PropertyPut };

// A host component reached by member name, the way a plugin calls into its
// host. Arguments are passed in a list the callee may write back into: that
// is how by-reference arguments return values (for example the message of a
// save). Failures are thrown as HostError.
class Object {
public:
    virtual ~Object() = default;
    virtual QString ProgID() const = 0;
    virtual QVariant Invoke(const QString& member, CallKind kind, QVariantList& args) = 0;

    QVariant Call(const QString& member, QVariantList args = {}) { return Invoke(member, CallKind::Method, args); }
    QVariant CallRef(const QString& member, QVariantList& args) { return Invoke(member, CallKind::Method, args); }
    QVariant Get(const QString& property) {
        QVariantList none;
        return Invoke(property, CallKind::PropertyGet, none);
    }
    void Put(const QString& property, const QVariant& value) {
        QVariantList args{value};
        Invoke(property, CallKind::PropertyPut, args);
    }
};

using ObjectPtr = std::shared_ptr<Object>;

}  // namespace qor::host

Q_DECLARE_METATYPE(qor::host::ObjectPtr)
