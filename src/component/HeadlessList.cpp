#include "src/component/HeadlessList.h"

#include "platform/base/Convert.h"
#include "platform/base/HostError.h"
#include "src/common/HostValues.h"
#include "src/common/KeptInstances.h"
#include "src/common/LoginContext.h"
#include "src/common/PropsString.h"
#include "src/common/Rights.h"
#include "src/component/COrderBatchTrace.h"
#include "src/host/ProgIds.h"
#include "src/host/TraceRights.h"

namespace qor {

namespace {

constexpr int kItemClass = 4;

// The item whose node a click would select: an item of ERP class 7 by its
// full number, else by its short number. The number is bound, and each
// look-up reads its own index.
int FindItem(const QString& number) {
    auto getData = CreateComponent(QString::fromLatin1(host::progid::kGetData));
    for (const bool shortNumber : {false, true}) {
        const RecordsetPtr rs = AsRecordset(
            getData->Call(QStringLiteral("GetItemDetail"), {GetPropsString(), shortNumber, number, kItemClass,
                                                            ToInt32(GetUserID()), QStringLiteral(" FErpClsID=7 ")}));
        if (rs && rs->RecordCount() > 0) return ToInt32(rs->Fields(QStringLiteral("FItemID")).Value());
    }
    throw HostError(QStringLiteral("没有物料代码为 %1 的物料。").arg(number));
}

}  // namespace

HeadlessList::HeadlessList() {
    QObject::connect(&grid_, &controls::LedgerGrid::RowCells,
                     [this](int row, QStringList* cells) { *cells = detail_.DRowCells(row); });
}

bool HeadlessList::Open(const QString& itemNumber, int32_t extraRight, const QString& refusal) {
    // Created as the host creates it: the short-number switch and the schema.
    const COrderBatchTrace trace;
    ParsePropsString(GetPropsString());
    // The list is there only for users who may view it, as the window is:
    // the right to export or print it comes on top of that.
    if (!CheckRight(kTraceRightModule, kTraceRightDetail, kRightView)) throw HostError(kNoViewRight);
    if (extraRight != 0 && !CheckRight(kTraceRightModule, kTraceRightDetail, extraRight)) throw HostError(refusal);
    const QString filter =
        itemNumber.isEmpty() ? QString() : QStringLiteral(" and t1.FItemID=") + QString::number(FindItem(itemNumber));
    listGrid_.InitialLdg(trace.VectCol());
    listGrid_.ApplyUserFont();
    detail_.SetVectCol(trace.VectCol());
    detail_.SetLdg(&listGrid_);
    return listGrid_.TakeList(detail_, detail_.GetTraceSQL(filter));
}

}  // namespace qor
