#pragma once

#include "platform/host/Object.h"

#include <QHash>
#include <functional>

namespace qor::host {

// Base of host components implemented in C++: members are bound by name
// (matched without case) to handlers. Unknown members throw HostError.
class Dispatch : public Object {
public:
    using Handler = std::function<QVariant(QVariantList& args)>;
    using Getter = std::function<QVariant()>;
    using Setter = std::function<void(const QVariant&)>;

    explicit Dispatch(QString progId) : progId_(std::move(progId)) {}

    QString ProgID() const override { return progId_; }
    QVariant Invoke(const QString& member, CallKind kind, QVariantList& args) override;

protected:
    void Method(const QString& name, Handler handler);
    void Property(const QString& name, Getter getter, Setter setter = {});

private:
    QString progId_;
    QHash<QString, Handler> methods_;
    QHash<QString, std::pair<Getter, Setter>> properties_;
};

// Argument readers for handlers: position i (0-based) converted with the
// platform's conversions; a missing argument throws HostError.
const QVariant& Arg(const QVariantList& args, int i);
QString ArgText(const QVariantList& args, int i);
int32_t ArgInt(const QVariantList& args, int i);
bool ArgBool(const QVariantList& args, int i);
VectorPtr ArgVector(const QVariantList& args, int i);
DictionaryPtr ArgDictionary(const QVariantList& args, int i);

}  // namespace qor::host
