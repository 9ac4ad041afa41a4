#include "component/HeadlessList.h"

#include "base/Convert.h"
#include "base/HostError.h"
#include "common/LoginContext.h"
#include "common/PropsString.h"
#include "common/Query.h"
#include "common/Rights.h"
#include "common/SqlQuote.h"
#include "common/UserProfile.h"
#include "common/UserSetting.h"
#include "component/COrderBatchTrace.h"
#include "ui/list/GridFonts.h"

namespace qor {

namespace {

constexpr int kColumns = 7;

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

// The font the list window gives its grid: the one stored in the user's
// profile, else the application's in the user's report font size.
QFont GridFont(const QFont& base) {
    QFont font = base;
    const QString stored = NullToEmpty(GetUserProfile(
        QStringLiteral("QOROrderBatchTrace"), QStringLiteral("frmBatchTrace"), QStringLiteral("GridFont"), QString()));
    if (const std::optional<StoredGridFont> grid = ParseGridFont(stored)) {
        font.setFamily(grid->name);
        if (grid->size > 0) font.setPointSizeF(grid->size);
        font.setBold(grid->bold);
        font.setItalic(grid->italic);
        return font;
    }
    const double size = GetUserSetting(SharedUserID(), QStringLiteral("RptFontSize"), 9);
    if (ShouldApplyReportSize(size, 0)) font.setPointSizeF(size);
    return font;
}

}  // namespace

HeadlessList::HeadlessList() {
    QObject::connect(&grid_, &controls::LedgerGrid::RowData,
                     [this](int row, QString* text) { *text = detail_.DRowData(row); });
}

bool HeadlessList::Open(const QString& itemNumber, int32_t rightMask, const QString& refusal) {
    // Created as the host creates it: the short-number switch and the schema.
    const COrderBatchTrace trace;
    ParsePropsString(GetPropsString());
    if (!CheckRight(kTraceRightModule, kTraceRightDetail, rightMask)) throw HostError(refusal);
    const QString filter =
        itemNumber.isEmpty() ? QString() : QStringLiteral(" and t1.FItemID=") + QString::number(FindItem(itemNumber));
    SetUpGrid(trace.VectCol());
    if (!detail_.TakeJournalData(detail_.GetTraceSQL(filter))) return false;
    // The header row tells the grid which columns the schema hides, as the
    // window's first paint does.
    grid_.CellText(1, 1);
    return true;
}

void HeadlessList::SetUpGrid(const VectorPtr& schema) {
    grid_.SetRows(1);
    grid_.SetCols(kColumns);
    for (int i = 1; i <= kColumns; ++i) {
        int width = 0;
        if (schema && i <= schema->Count()) {
            const auto d = schema->Item(i).value<DictionaryPtr>();
            if (d && NullToZero(d->Item(QStringLiteral("FColVisible"))) == 1)
                width = static_cast<int>(NullToZero(d->Item(QStringLiteral("FColWidth"))));
        }
        grid_.SetColWidth(i, width);
    }
    grid_.SetGridFont(GridFont(grid_.font()));
    detail_.SetVectCol(schema);
    detail_.SetLdg(&grid_);
}

}  // namespace qor
