#include "app/OutputCommand.h"
#include "platform/base/VisibleText.h"

#include "app/ListOutput.h"
#include "app/Shell.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace qor::app {

namespace {

QString Shown(const QString& path) { return WithVisibleControls(QDir::toNativeSeparators(path)); }

}  // namespace

int RunExport(const ShellOptions& options) {
    const QString out = QFileInfo(options.out).absoluteFilePath();
    int exitCode = kExitOk;
    const std::optional<int> rows =
        CallListOutput(options, QStringLiteral("ExportList"), ListArguments(options, out), &exitCode);
    if (!rows) return exitCode;
    std::printf("%s\n", qUtf8Printable(QStringLiteral("已引出 %1 行到 %2。").arg(*rows).arg(Shown(out))));
    return kExitOk;
}

int RunPrint(const ShellOptions& options) {
    const QString out = QFileInfo(options.out).absoluteFilePath();
    int exitCode = kExitOk;
    const std::optional<int> pages =
        CallListOutput(options, QStringLiteral("PrintList"), ListArguments(options, out), &exitCode);
    if (!pages) return exitCode;
    std::printf("%s\n", qUtf8Printable(QStringLiteral("已打印 %1 页到 %2。").arg(*pages).arg(Shown(out))));
    return kExitOk;
}

}  // namespace qor::app
