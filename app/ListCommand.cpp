#include "ListCommand.h"

#include "CompanyLogin.h"
#include "RowWriter.h"
#include "Shell.h"
#include "base/Convert.h"
#include "base/HostError.h"
#include "common/LoginContext.h"
#include "common/PropsString.h"
#include "common/Rights.h"
#include "component/OrderBatchTraceRegistration.h"
#include "controls/LedgerGrid.h"
#include "data/CDetail.h"
#include "host/ComponentFactory.h"
#include "host/ProgIds.h"

namespace qor::app {

namespace {

// The item whose node a click would select: an item of ERP class 7 by its
// full or short number.
int FindItem(db::Database& database, const QString& number) {
    const RecordsetPtr rs = database.Query(
        QStringLiteral("SELECT FItemID FROM t_ICItem WHERE FErpClsID=7 AND (FNumber=? OR FShortNumber=?) ORDER BY FNumber"),
        {number, number});
    if (rs->RecordCount() == 0) throw HostError(QStringLiteral("没有物料代码为 %1 的物料。").arg(number));
    return ToInt32(rs->Fields(QStringLiteral("FItemID")).Value());
}

}  // namespace

int RunList(const ShellOptions& options) {
    QString error;
    const services::SessionPtr session = OpenCompanySession(options, false, &error);
    if (!session) return Refuse(error, kExitRefused);
    try {
        RegisterOrderBatchTrace();
        auto module = host::ComponentFactory::Create(QString::fromLatin1(host::progid::kOrderBatchTrace));
        const VectorPtr schema = module->Get(QStringLiteral("VectCol")).value<VectorPtr>();
        ParsePropsString(GetPropsString());
        if (!CheckRight(kTraceRightModule, kTraceRightDetail, kRightView))
            return Refuse(QStringLiteral("当前用户没有查看权限！请与系统管理员联系！"), kExitRefused);

        const QString filter = options.all ? QString()
                                           : QStringLiteral(" and t1.FItemID=") +
                                                 QString::number(FindItem(*session->database, options.item));
        controls::LedgerGrid grid;
        grid.SetCols(7);
        CDetail detail;
        detail.SetVectCol(schema);
        detail.SetLdg(&grid);
        grid.SetRows(1);
        if (!detail.TakeJournalData(detail.GetTraceSQL(filter))) return kExitRefused;

        const QString header = detail.DRowData(1);
        std::vector<bool> hidden;
        for (int c = 1; c <= grid.Cols(); ++c) hidden.push_back(grid.ColHidden(c));
        RowWriter writer(stdout, options.format == QLatin1String("csv") ? RowWriter::Format::Csv : RowWriter::Format::Tsv,
                         hidden);
        writer.WriteRow(header);
        const int rows = grid.Rows();
        for (int r = 2; r <= rows; ++r) writer.WriteRow(detail.DRowData(r));
        writer.Flush();
        return kExitOk;
    } catch (const HostError& e) {
        return Refuse(e.Description(), kExitRefused);
    }
}

}  // namespace qor::app
