#include "src/component/CBatchTraceOutput.h"

#include "platform/base/HostError.h"
#include "platform/base/VisibleText.h"
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
#include "src/import/TraceImport.h"
#include "src/ui/list/LedgerExport.h"
#include "src/ui/list/PrintHeaders.h"

#include <QFile>
#include <cstdio>
#include <memory>

namespace qor {

namespace {

constexpr int32_t kFailed = -1;
constexpr int32_t kExportWritten = 1;

// The module as the host sets it up before a call: its object created (the
// short-number switch) and the login context read.
void SetUpModule() {
    const COrderBatchTrace trace;
    ParsePropsString(GetPropsString());
}

RowWriter::Format FormatNamed(const QString& format) {
    return format == QLatin1String("csv") ? RowWriter::Format::Csv : RowWriter::Format::Tsv;
}

}  // namespace

CBatchTraceOutput::CBatchTraceOutput() : Dispatch(QString::fromLatin1(host::progid::kBatchTraceOutput)) {
    // A third argument true keeps CSV cells raw, for a machine reader.
    const auto raw = [](const QVariantList& args) { return args.size() > 2 && host::ArgBool(args, 2); };
    Method(QStringLiteral("WriteList"), [this, raw](QVariantList& args) {
        return QVariant(WriteList(host::ArgText(args, 0), host::ArgText(args, 1), raw(args)));
    });
    Method(QStringLiteral("ExportList"), [this, raw](QVariantList& args) {
        return QVariant(ExportList(host::ArgText(args, 0), host::ArgText(args, 1), raw(args)));
    });
    Method(QStringLiteral("PrintList"),
           [this](QVariantList& args) { return QVariant(PrintList(host::ArgText(args, 0), host::ArgText(args, 1))); });
    Method(QStringLiteral("WriteFound"), [this](QVariantList& args) {
        return QVariant(
            WriteFound(host::ArgText(args, 0), host::ArgInt(args, 1), host::ArgText(args, 2), host::ArgText(args, 3)));
    });
    Method(QStringLiteral("ImportRows"), [this](QVariantList& args) {
        return QVariant(ImportRows(host::ArgText(args, 0), host::ArgText(args, 1), host::ArgBool(args, 2),
                                   host::ArgBool(args, 3), host::ArgText(args, 4)));
    });
}

int32_t CBatchTraceOutput::WriteList(const QString& itemNumber, const QString& format, bool raw) {
    HeadlessList list;
    if (!list.Open(itemNumber)) return kFailed;
    controls::LedgerGrid& grid = list.Grid();
    std::vector<bool> hidden;
    for (int c = 1; c <= grid.Cols(); ++c) hidden.push_back(grid.ColHidden(c));
    RowWriter writer(stdout, FormatNamed(format), hidden, raw);
    const int rows = grid.Rows();
    for (int r = 1; r <= rows; ++r) writer.WriteCells(list.Detail().DRowCells(r));
    writer.Flush();
    return rows;
}

int32_t CBatchTraceOutput::ExportList(const QString& itemNumber, const QString& fileName, bool raw) {
    HeadlessList list;
    if (!list.Open(itemNumber, kRightExport, QStringLiteral("当前用户没有引出权限，请与系统管理员联系！")))
        return kFailed;
    // The export component tells its own failures.
    if (ExportLedger(list.Grid(), fileName, raw) != kExportWritten) return kFailed;
    return list.Grid().Rows() - 1;
}

int32_t CBatchTraceOutput::PrintList(const QString& itemNumber, const QString& fileName) {
    HeadlessList list;
    if (!list.Open(itemNumber, kRightPrint, QStringLiteral("当前用户没有打印权限！请与系统管理员联系！")))
        return kFailed;
    controls::LedgerPrint& printer = list.Grid().Printer();
    SetupPrintHeaders(printer);
    // A long list takes a while: say how far it has come, every thousand pages.
    constexpr int kPagesPerReport = 1000;
    printer.SetProgress([](int page, int pages) {
        if (page % kPagesPerReport != 0 && page != pages) return;
        std::fprintf(stderr, "%s\n", qUtf8Printable(QStringLiteral("已打印 %1 / %2 页").arg(page).arg(pages)));
    });
    return printer.PrintToPdf(fileName);
}

int32_t CBatchTraceOutput::WriteFound(const QString& scope, int32_t match, const QString& text, const QString& format) {
    SetUpModule();
    if (!CheckRight(kTraceRightModule, kTraceRightDetail, kRightView)) throw HostError(kNoViewRight);
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

int32_t CBatchTraceOutput::ImportRows(const QString& fileName, const QString& sheetName, bool dryRun, bool partial,
                                      const QString& reportFile) {
    SetUpModule();
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> report(nullptr, &std::fclose);
    if (!reportFile.isEmpty()) {
        report.reset(std::fopen(QFile::encodeName(reportFile).constData(), "wb"));
        if (!report) throw HostError(QStringLiteral("无法写入报告文件 %1。").arg(reportFile));
    }
    TraceImport import;
    import.Prepare(fileName, sheetName);
    QString outcome = QStringLiteral("试引入，没有写入任何数据。");
    if (!dryRun) {
        switch (import.Apply(partial)) {
            case TraceImport::Outcome::Written:
                outcome = QStringLiteral("已写入。");
                break;
            case TraceImport::Outcome::Refused:
            case TraceImport::Outcome::Failed:
            case TraceImport::Outcome::Cancelled:
                outcome = QStringLiteral("有被拒绝的行，没有写入任何数据。");
                break;
        }
    }
    const int refused = import.Count(ImportVerdict::Refused);
    for (const ImportRow& row : import.Rows())
        if (row.verdict == ImportVerdict::Refused)
            std::fprintf(
                stderr, "%s\n",
                qUtf8Printable(WithVisibleControls(QStringLiteral("第 %1 行：%2").arg(row.fileRow).arg(row.message))));
    if (report) {
        std::fputs("\xEF\xBB\xBF", report.get());
        RowWriter writer(report.get(), RowWriter::Format::Csv, {});
        writer.WriteCells({QStringLiteral("行号"), QStringLiteral("物料代码"), QStringLiteral("批号"),
                           QStringLiteral("结果"), QStringLiteral("说明")});
        for (const ImportRow& row : import.Rows())
            writer.WriteCells(
                {QString::number(row.fileRow), row.item, row.batch, VerdictText(row.verdict), row.message});
        writer.Flush();
    }
    std::printf("%s\n", qUtf8Printable(QStringLiteral("新增 %1 行，修改 %2 行，不变 %3 行，拒绝 %4 行。%5")
                                           .arg(import.Count(ImportVerdict::New))
                                           .arg(import.Count(ImportVerdict::Modify))
                                           .arg(import.Count(ImportVerdict::Unchanged))
                                           .arg(refused)
                                           .arg(outcome)));
    return refused;
}

}  // namespace qor
