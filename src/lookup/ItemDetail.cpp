#include "src/lookup/Lookups.h"

#include "platform/base/RecordsetBuilder.h"
#include "src/common/HostValues.h"
#include "src/common/KeptInstances.h"
#include "src/common/LoginContext.h"
#include "src/common/Messages.h"
#include "src/common/ShortNumberSwitch.h"
#include "src/host/ProgIds.h"

namespace qor {

namespace {

// Classes whose items the user must be allowed to use: the fixed base-data
// classes and the user-defined ones.
bool IsAccessTested(int16_t cls) {
    constexpr int32_t kFirstUserClass = 1000;
    constexpr int32_t kLastUserClass = 9999;
    return InList(cls, {1, 2, 3, 4, 5, 8, 9, 10}) || (cls >= kFirstUserClass && cls <= kLastUserClass);
}

bool MayUseItem(int16_t cls, const QVariant& itemId) {
    return AsObject(GLData()->Call(QStringLiteral("GetItem"), {cls, itemId, QVariant(), QVariant(), true})) != nullptr;
}

}  // namespace

RecordsetPtr GetItemDetailRs(int16_t cls, const QString& text, int32_t userId, const QString& extra) {
    RecordsetPtr answer;
    try {
        auto getData = CreateComponent(QString::fromLatin1(host::progid::kGetData));
        QVariantList args{GetPropsString(), UseShortNumber(), text, cls, userId, extra};
        answer = AsRecordset(getData->CallRef(QStringLiteral("GetItemDetail"), args));
        if (!IsAccessTested(cls)) return answer;
        if (!answer) return PlaceholderRecordset();
        if (answer->RecordCount() == 0) return answer;
        return MayUseItem(cls, answer->Fields(QStringLiteral("FItemID")).Value()) ? answer : PlaceholderRecordset();
    } catch (const std::exception& e) {
        ShowNoticeQuietly(Translate(QStringLiteral("数据读取错误。")) + ErrorDescription(e));
        return answer;
    }
}

RecordsetPtr PlaceholderRecordset() {
    RecordsetBuilder builder;
    builder.AddField(QStringLiteral("TemInterID"), FieldType::Integer);
    return builder.Finish();
}

bool InList(const QVariant& value, const QVariantList& values) {
    for (const QVariant& candidate : values)
        if (candidate == value) return true;
    return false;
}

}  // namespace qor
