#include "HeadlessList.h"

#include "CompanyLogin.h"
#include "Shell.h"
#include "TraceWriter.h"
#include "base/Convert.h"
#include "base/HostError.h"
#include "common/LoginContext.h"
#include "common/PropsString.h"
#include "common/Rights.h"
#include "common/UserProfile.h"
#include "common/UserSetting.h"
#include "component/OrderBatchTraceRegistration.h"
#include "host/ComponentFactory.h"
#include "host/ProgIds.h"
#include "ui/list/GridFonts.h"

namespace qor::app {

namespace {

constexpr int kColumns = 7;

// The item whose node a click would select: an item of ERP class 7 by its
// full or short number.
int FindItem(db::Database& database, const QString& number) {
    const RecordsetPtr rs = database.Query(
        QStringLiteral(
            "SELECT FItemID FROM t_ICItem WHERE FErpClsID=7 AND (FNumber=? OR FShortNumber=?) ORDER BY FNumber"),
        {number, number});
    if (rs->RecordCount() == 0) throw HostError(QStringLiteral("没有物料代码为 %1 的物料。").arg(number));
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

bool HeadlessList::Open(const ShellOptions& options, int32_t rightMask, const QString& refusal, int* exitCode) {
    QString error;
    session_ = OpenCompanySession(options, false, &error);
    if (!session_) {
        *exitCode = Refuse(error, kExitRefused);
        return false;
    }
    try {
        if (!options.traceFile.isEmpty())
            host::ComponentFactory::SetObserver(std::make_shared<TraceWriter>(options.traceFile));
        RegisterOrderBatchTrace();
        auto module = host::ComponentFactory::Create(QString::fromLatin1(host::progid::kOrderBatchTrace));
        const VectorPtr schema = module->Get(QStringLiteral("VectCol")).value<VectorPtr>();
        ParsePropsString(GetPropsString());
        if (!CheckRight(kTraceRightModule, kTraceRightDetail, rightMask)) {
            *exitCode = Refuse(refusal, kExitRefused);
            return false;
        }
        const QString filter = options.all ? QString()
                                           : QStringLiteral(" and t1.FItemID=") +
                                                 QString::number(FindItem(*session_->database, options.item));
        SetUpGrid(schema);
        if (!detail_.TakeJournalData(detail_.GetTraceSQL(filter))) {
            *exitCode = kExitRefused;
            return false;
        }
        // The header row tells the grid which columns the schema hides, as
        // the window's first paint does.
        grid_.CellText(1, 1);
        return true;
    } catch (const HostError& e) {
        *exitCode = Refuse(e.Description(), kExitRefused);
        return false;
    }
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

}  // namespace qor::app
