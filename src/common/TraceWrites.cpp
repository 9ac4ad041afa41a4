#include "src/common/TraceWrites.h"

#include "platform/base/Convert.h"
#include "platform/base/Variant.h"
#include "src/common/KeptInstances.h"
#include "src/common/LoginContext.h"
#include "src/host/ProgIds.h"

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

void WriteOperationLogs(const QStringList& texts) {
    if (texts.isEmpty()) return;
    auto entries = Vector::New();
    for (const QString& text : texts) entries->Add(text);
    GLData()->Call(QStringLiteral("WriteLogs"),
                   {QStringLiteral("K810022"), static_cast<int16_t>(3), QVariant::fromValue(entries)});
}

namespace {
constexpr int16_t kOperNew = 1;
constexpr int16_t kOperModify = 2;
}  // namespace

QString SaveLogTemplate(int16_t operKind, bool saved) {
    if (operKind == kOperNew)
        return saved ? QStringLiteral("新增物料: %1 客户BOM批次对应信息成功！")
                     : QStringLiteral("新增物料: %1 客户BOM批次对应信息失败！");
    if (operKind == kOperModify)
        return saved ? QStringLiteral("修改物料: %1 客户BOM批次对应信息成功！")
                     : QStringLiteral("修改物料: %1 客户BOM批次对应信息失败！");
    return QString();
}

}  // namespace qor
