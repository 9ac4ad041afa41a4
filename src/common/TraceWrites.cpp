#include "common/TraceWrites.h"

#include "base/Convert.h"
#include "base/Variant.h"
#include "common/KeptInstances.h"
#include "common/LoginContext.h"
#include "host/ProgIds.h"

namespace qor {

int32_t SaveBatchTrace(const VectorPtr& request, QString* message) {
    auto saver = CreateComponent(QString::fromLatin1(host::progid::kSaveData));
    QVariantList args{GetPropsString(), QVariant::fromValue(request), QString()};
    const QVariant answer = saver->CallRef(QStringLiteral("SaveBatchTraceData"), args);
    *message = NullToEmpty(args.value(2));
    return ToInt32(answer);
}

void WriteOperationLog(const QString& text) {
    QVariantList args{QStringLiteral("K810022"), static_cast<int16_t>(3), text};
    GLData()->CallRef(QStringLiteral("WriteLog"), args);
}

}  // namespace qor
