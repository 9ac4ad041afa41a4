#include "OutputCommand.h"

#include "HeadlessList.h"
#include "Shell.h"
#include "base/HostError.h"
#include "controls/LedgerPrint.h"
#include "host/TraceRights.h"
#include "ui/list/LedgerExport.h"
#include "ui/list/PrintHeaders.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace qor::app {

namespace {

constexpr int32_t kExportWritten = 1;

QString Shown(const QString& path) { return QDir::toNativeSeparators(path); }

}  // namespace

int RunExport(const ShellOptions& options) {
    HeadlessList list;
    int exitCode = kExitOk;
    if (!list.Open(options, kRightExport, QStringLiteral("当前用户没有引出权限，请与系统管理员联系！"), &exitCode))
        return exitCode;
    const QString out = QFileInfo(options.out).absoluteFilePath();
    // The export component tells its own failures.
    if (ExportLedger(list.Grid(), out) != kExportWritten) return kExitRefused;
    std::printf("%s\n",
                qUtf8Printable(QStringLiteral("已引出 %1 行到 %2。").arg(list.Grid().Rows() - 1).arg(Shown(out))));
    return kExitOk;
}

int RunPrint(const ShellOptions& options) {
    HeadlessList list;
    int exitCode = kExitOk;
    if (!list.Open(options, kRightPrint, QStringLiteral("当前用户没有打印权限！请与系统管理员联系！"), &exitCode))
        return exitCode;
    const QString out = QFileInfo(options.out).absoluteFilePath();
    try {
        controls::LedgerPrint& printer = list.Grid().Printer();
        SetupPrintHeaders(printer);
        const int pages = printer.PrintToPdf(out);
        std::printf("%s\n", qUtf8Printable(QStringLiteral("已打印 %1 页到 %2。").arg(pages).arg(Shown(out))));
        return kExitOk;
    } catch (const HostError& e) {
        return Refuse(e.Description(), kExitRefused);
    }
}

}  // namespace qor::app
