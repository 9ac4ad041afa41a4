#include "platform/services/BaseList.h"

#include "platform/base/Convert.h"
#include "platform/base/HostError.h"
#include "platform/base/Variant.h"
#include "platform/host/HostProgIds.h"
#include "platform/services/PickerDialog.h"
#include "platform/services/RecordRows.h"
#include "platform/services/SqlConditions.h"

namespace qor::services {

namespace {
constexpr int kBatchClass = 18;

// One row per item and batch: the stock quantity over every stock, whether a
// trace record names the batch and whether such a record is banned.
const QString kBatchRows = QStringLiteral(
    "SELECT FItemID, FBatchNo, SUM(FQty) AS FQty, MAX(FForbid) AS FForbid, "
    "CASE WHEN MAX(FForbid) <> 0 THEN '禁用' WHEN MAX(FTraced) <> 0 THEN '已使用' ELSE '' END AS FState "
    "FROM (SELECT FItemID, FBatchNo, FQty, 0 AS FForbid, 0 AS FTraced FROM ICInventory "
    "UNION ALL SELECT FItemID, FBatchNo, 0, FForbid, 1 FROM ICOrderBatchTrace) b");
}  // namespace

BaseList::BaseList(SessionPtr session)
    : Dispatch(QString::fromLatin1(host::progid::kBaseList)), session_(std::move(session)) {
    Property(
        QStringLiteral("Filter"), [this] { return QVariant(filter_); },
        [this](const QVariant& value) { filter_ = NullToEmpty(value); });
    Property(
        QStringLiteral("KeyWord"), [this] { return QVariant(keyWord_); },
        [this](const QVariant& value) { keyWord_ = NullToEmpty(value); });
    Method(QStringLiteral("Show"), [this](QVariantList& args) { return Show(host::ArgInt(args, 1)); });
}

QVariant BaseList::Show(int cls) {
    if (cls != kBatchClass) throw HostError(QStringLiteral("批号列表不支持类别 %1。").arg(cls));
    auto batches = session_->database->Query(kBatchRows + WhereClause({filter_}) +
                                             QStringLiteral(" GROUP BY FItemID, FBatchNo "
                                                            "ORDER BY MAX(FForbid), FBatchNo DESC"));
    PickerDialog dialog(QStringLiteral("dlgBatchList"), QStringLiteral("批号"));
    dialog.List()->SetRows(batches,
                           {{QStringLiteral("FBatchNo"), QStringLiteral("批号")},
                            {QStringLiteral("FQty"), QStringLiteral("库存数量")},
                            {QStringLiteral("FState"), QStringLiteral("状态")}},
                           QStringLiteral("FForbid"));
    dialog.List()->SetSearch(keyWord_);
    const int row = dialog.Choose();
    if (row < 0) return {};
    return QVariant::fromValue(
        RowRecordset(*batches, row, {QStringLiteral("FItemID"), QStringLiteral("FBatchNo"), QStringLiteral("FQty")}));
}

}  // namespace qor::services
