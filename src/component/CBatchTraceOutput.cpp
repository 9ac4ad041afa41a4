#include "src/component/CBatchTraceOutput.h"

#include "platform/base/HostError.h"
#include "platform/controls/LedgerPrint.h"
#include "src/common/LoginContext.h"
#include "src/common/PropsString.h"
#include "src/common/Rights.h"
#include "src/component/COrderBatchTrace.h"
#include "src/component/HeadlessList.h"
#include "src/component/RowWriter.h"
#include "src/data/TraceFinder.h"
#include "src/host/ProgIds.h"
#include "src/host/TraceRights.h"
#include "src/ui/list/LedgerExport.h"
#include "src/ui/list/PrintHeaders.h"

#include <cstdio>

namespace qor {

namespace {

constexpr int32_t kFailed = -1;
constexpr int32_t kExportWritten = 1;

RowWriter::Format FormatNamed(const QString& format) {
    return format == QLatin1String("csv") ? RowWriter::Format::Csv : RowWriter::Format::Tsv;
}

}  // namespace

CBatchTraceOutput::CBatchTraceOutput() : Dispatch(QString::fromLatin1(host::progid::kBatchTraceOutput)) {
    Method(QStringLiteral("WriteList"),
           [this](QVariantList& args) { return QVariant(WriteList(host::ArgText(args, 0), host::ArgText(args, 1))); });
    Method(QStringLiteral("ExportList"),
           [this](QVariantList& args) { return QVariant(ExportList(host::ArgText(args, 0), host::ArgText(args, 1))); });
    Method(QStringLiteral("PrintList"),
           [this](QVariantList& args) { return QVariant(PrintList(host::ArgText(args, 0), host::ArgText(args, 1))); });
    Method(QStringLiteral("WriteFound"), [this](QVariantList& args) {
        return QVariant(
            WriteFound(host::ArgText(args, 0), host::ArgInt(args, 1), host::ArgText(args, 2), host::ArgText(args, 3)));
    });
}

int32_t CBatchTraceOutput::WriteList(const QString& itemNumber, const QString& format) {
    HeadlessList list;
    if (!list.Open(itemNumber, kRightView, QStringLiteral("当前用户没有查看权限！请与系统管理员联系！")))
        return kFailed;
    controls::LedgerGrid& grid = list.Grid();
    std::vector<bool> hidden;
    for (int c = 1; c <= grid.Cols(); ++c) hidden.push_back(grid.ColHidden(c));
    RowWriter writer(stdout, FormatNamed(format), hidden);
    const int rows = grid.Rows();
    for (int r = 1; r <= rows; ++r) writer.WriteRow(list.Detail().DRowData(r));
    writer.Flush();
    return rows;
}

int32_t CBatchTraceOutput::ExportList(const QString& itemNumber, const QString& fileName) {
    HeadlessList list;
    if (!list.Open(itemNumber, kRightExport, QStringLiteral("当前用户没有引出权限，请与系统管理员联系！")))
        return kFailed;
    // The export component tells its own failures.
    if (ExportLedger(list.Grid(), fileName) != kExportWritten) return kFailed;
    return list.Grid().Rows() - 1;
}

int32_t CBatchTraceOutput::PrintList(const QString& itemNumber, const QString& fileName) {
    HeadlessList list;
    if (!list.Open(itemNumber, kRightPrint, QStringLiteral("当前用户没有打印权限！请与系统管理员联系！")))
        return kFailed;
    controls::LedgerPrint& printer = list.Grid().Printer();
    SetupPrintHeaders(printer);
    return printer.PrintToPdf(fileName);
}

int32_t CBatchTraceOutput::WriteFound(const QString& scope, int32_t match, const QString& text, const QString& format) {
    // Created as the host creates it: the short-number switch.
    const COrderBatchTrace trace;
    ParsePropsString(GetPropsString());
    if (!CheckRight(kTraceRightModule, kTraceRightDetail, kRightView))
        throw HostError(QStringLiteral("当前用户没有查看权限！请与系统管理员联系！"));
    const std::optional<FindScope> named = FindScopeNamed(scope);
    if (!named || match < 0 || match > static_cast<int32_t>(FindMatch::Contains))
        throw HostError(QStringLiteral("无法识别的查找范围: %1。").arg(scope));
    const TraceSearch search{*named, static_cast<FindMatch>(match), text};
    RowWriter writer(stdout, FormatNamed(format), {});
    writer.WriteCells(FoundCaptions());
    const FoundTraces found = FindTraceRecords(search, kFromNewest, kEveryMatch);
    for (int r = 0; r < found.rows->RecordCount(); ++r) writer.WriteCells(FoundCells(*found.rows, r));
    writer.Flush();
    return found.rows->RecordCount();
}

}  // namespace qor
