#include "src/component/HeadlessList.h"

#include "platform/base/Convert.h"
#include "platform/base/HostError.h"
#include "src/common/LoginContext.h"
#include "src/common/PropsString.h"
#include "src/common/Query.h"
#include "src/common/Rights.h"
#include "src/common/SqlQuote.h"
#include "src/component/COrderBatchTrace.h"

namespace qor {

namespace {

// The item whose node a click would select: an item of ERP class 7 by its
// full or short number.
int FindItem(const QString& number) {
    const QString quoted = SqlQuote(number, true, false);
    const RecordsetPtr rs = ExecSQL(QStringLiteral("SELECT FItemID FROM t_ICItem WHERE FErpClsID=7 AND (FNumber=%1 "
                                                   "OR FShortNumber=%1) ORDER BY FNumber")
                                        .arg(quoted));
    if (!rs || rs->RecordCount() == 0) throw HostError(QStringLiteral("没有物料代码为 %1 的物料。").arg(number));
    return ToInt32(rs->Fields(QStringLiteral("FItemID")).Value());
}

}  // namespace

HeadlessList::HeadlessList() {
    QObject::connect(&grid_, &controls::LedgerGrid::RowCells,
                     [this](int row, QStringList* cells) { *cells = detail_.DRowCells(row); });
}

bool HeadlessList::Open(const QString& itemNumber, int32_t rightMask, const QString& refusal) {
    // Created as the host creates it: the short-number switch and the schema.
    const COrderBatchTrace trace;
    ParsePropsString(GetPropsString());
    if (!CheckRight(kTraceRightModule, kTraceRightDetail, rightMask)) throw HostError(refusal);
    const QString filter =
        itemNumber.isEmpty() ? QString() : QStringLiteral(" and t1.FItemID=") + QString::number(FindItem(itemNumber));
    listGrid_.InitialLdg(trace.VectCol());
    listGrid_.ApplyUserFont();
    detail_.SetVectCol(trace.VectCol());
    detail_.SetLdg(&listGrid_);
    return listGrid_.TakeList(detail_, detail_.GetTraceSQL(filter));
}

}  // namespace qor
