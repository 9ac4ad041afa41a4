#include "ListCommand.h"

#include "HeadlessList.h"
#include "RowWriter.h"
#include "Shell.h"
#include "base/HostError.h"
#include "host/TraceRights.h"

namespace qor::app {

int RunList(const ShellOptions& options) {
    HeadlessList list;
    int exitCode = kExitOk;
    if (!list.Open(options, kRightView, QStringLiteral("当前用户没有查看权限！请与系统管理员联系！"), &exitCode))
        return exitCode;
    try {
        controls::LedgerGrid& grid = list.Grid();
        CDetail& detail = list.Detail();
        std::vector<bool> hidden;
        for (int c = 1; c <= grid.Cols(); ++c) hidden.push_back(grid.ColHidden(c));
        RowWriter writer(
            stdout, options.format == QLatin1String("csv") ? RowWriter::Format::Csv : RowWriter::Format::Tsv, hidden);
        writer.WriteRow(detail.DRowData(1));
        const int rows = grid.Rows();
        for (int r = 2; r <= rows; ++r) writer.WriteRow(detail.DRowData(r));
        writer.Flush();
        return kExitOk;
    } catch (const HostError& e) {
        return Refuse(e.Description(), kExitRefused);
    }
}

}  // namespace qor::app
