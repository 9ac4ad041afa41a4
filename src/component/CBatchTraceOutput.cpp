#include "src/component/CBatchTraceOutput.h"

#include "platform/controls/LedgerPrint.h"
#include "src/component/HeadlessList.h"
#include "src/component/RowWriter.h"
#include "src/host/ProgIds.h"
#include "src/host/TraceRights.h"
#include "src/ui/list/LedgerExport.h"
#include "src/ui/list/PrintHeaders.h"

#include <cstdio>

namespace qor {

namespace {

constexpr int32_t kFailed = -1;
constexpr int32_t kExportWritten = 1;

}  // namespace

CBatchTraceOutput::CBatchTraceOutput() : Dispatch(QString::fromLatin1(host::progid::kBatchTraceOutput)) {
    Method(QStringLiteral("WriteList"),
           [this](QVariantList& args) { return QVariant(WriteList(host::ArgText(args, 0), host::ArgText(args, 1))); });
    Method(QStringLiteral("ExportList"),
           [this](QVariantList& args) { return QVariant(ExportList(host::ArgText(args, 0), host::ArgText(args, 1))); });
    Method(QStringLiteral("PrintList"),
           [this](QVariantList& args) { return QVariant(PrintList(host::ArgText(args, 0), host::ArgText(args, 1))); });
}

int32_t CBatchTraceOutput::WriteList(const QString& itemNumber, const QString& format) {
    HeadlessList list;
    if (!list.Open(itemNumber, kRightView, QStringLiteral("当前用户没有查看权限！请与系统管理员联系！")))
        return kFailed;
    controls::LedgerGrid& grid = list.Grid();
    std::vector<bool> hidden;
    for (int c = 1; c <= grid.Cols(); ++c) hidden.push_back(grid.ColHidden(c));
    RowWriter writer(stdout, format == QLatin1String("csv") ? RowWriter::Format::Csv : RowWriter::Format::Tsv, hidden);
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

}  // namespace qor
