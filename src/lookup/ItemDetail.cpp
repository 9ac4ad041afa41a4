#include "src/lookup/Lookups.h"

#include "platform/base/Convert.h"
#include "platform/base/RecordsetBuilder.h"
#include "platform/base/Vector.h"
#include "src/common/HostValues.h"
#include "src/common/KeptInstances.h"
#include "src/common/LoginContext.h"
#include "src/common/Messages.h"
#include "src/common/ShortNumberSwitch.h"
#include "src/host/ProgIds.h"

#include <QSet>
#include <algorithm>

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

std::vector<FoundCode> FindCodes(LookupClass cls, const QStringList& codes, int32_t userId, const QString& extra) {
    constexpr qsizetype kCodesPerCall = 500;
    const auto classId = static_cast<int16_t>(cls);
    auto getData = CreateComponent(QString::fromLatin1(host::progid::kGetData));
    std::vector<FoundCode> found;
    for (qsizetype from = 0; from < codes.size(); from += kCodesPerCall) {
        auto asked = Vector::New();
        for (const QString& code : codes.mid(from, kCodesPerCall)) asked->Add(code);
        const RecordsetPtr rows = AsRecordset(
            getData->Call(QStringLiteral("GetItemDetails"),
                          {GetPropsString(), UseShortNumber(), QVariant::fromValue(asked), classId, userId, extra}));
        if (!rows) continue;
        const int id = rows->FieldIndex(QStringLiteral("FItemID"));
        const int number = rows->FieldIndex(QStringLiteral("FNumber"));
        const int name = rows->FieldIndex(QStringLiteral("FName"));
        const int owner = rows->FieldIndex(QStringLiteral("FOwnerID"));
        const size_t first = found.size();
        for (size_t r = 0; r < static_cast<size_t>(rows->RecordCount()); ++r)
            found.push_back({rows->TextAt(number, r), ToInt32(rows->ValueAt(id, r)), rows->TextAt(name, r),
                             ToInt32(rows->ValueAt(owner, r))});
        if (!IsAccessTested(classId) || found.size() == first) continue;
        auto ids = Vector::New();
        for (size_t r = first; r < found.size(); ++r) ids->Add(found[r].id);
        const RecordsetPtr usable =
            AsRecordset(GLData()->Call(QStringLiteral("GetItems"), {classId, QVariant::fromValue(ids)}));
        QSet<int32_t> allowed;
        for (size_t r = 0; usable && r < static_cast<size_t>(usable->RecordCount()); ++r)
            allowed.insert(ToInt32(usable->ValueAt(0, r)));
        found.erase(std::remove_if(found.begin() + static_cast<std::ptrdiff_t>(first), found.end(),
                                   [&allowed](const FoundCode& code) { return !allowed.contains(code.id); }),
                    found.end());
    }
    return found;
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
