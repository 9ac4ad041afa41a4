#include "src/component/OrderBatchTraceRegistration.h"

#include "platform/host/ComponentFactory.h"
#include "platform/host/Dispatch.h"
#include "src/common/HostValues.h"
#include "src/component/COrderBatchTrace.h"
#include "src/host/ProgIds.h"

namespace qor {

namespace {

// COrderBatchTrace as a late-bound host component: one instance per Create.
class OrderBatchTraceDispatch : public host::Dispatch {
public:
    OrderBatchTraceDispatch() : Dispatch(QString::fromLatin1(host::progid::kOrderBatchTrace)) {
        Property(
            QStringLiteral("VectCol"), [this] { return QVariant::fromValue(trace_.VectCol()); },
            [this](const QVariant& vData) { trace_.SetVectCol(AsVector(vData)); });
        Method(QStringLiteral("IsUseOrderBatchTrace"),
               [this](QVariantList&) { return QVariant(trace_.IsUseOrderBatchTrace()); });
        Method(QStringLiteral("Show"), [this](QVariantList&) { return QVariant(trace_.Show()); });
    }

private:
    COrderBatchTrace trace_;
};

}  // namespace

host::ObjectPtr NewOrderBatchTrace() { return std::make_shared<OrderBatchTraceDispatch>(); }

void RegisterOrderBatchTrace() {
    host::ComponentFactory::Register(QString::fromLatin1(host::progid::kOrderBatchTrace), NewOrderBatchTrace);
}

}  // namespace qor
