#include "app/ListCommand.h"

#include "app/ListOutput.h"
#include "app/Shell.h"

#include <QFileInfo>

namespace qor::app {

int RunList(const ShellOptions& options) {
    int exitCode = kExitOk;
    if (!CallListOutput(options, QStringLiteral("WriteList"), ListArguments(options, options.format), &exitCode))
        return exitCode;
    return kExitOk;
}

int RunFind(const ShellOptions& options) {
    constexpr int kPrefix = 1;
    constexpr int kContains = 2;
    int exitCode = kExitOk;
    const QVariantList arguments{options.findScope, options.contains ? kContains : kPrefix, options.findText,
                                 options.format};
    if (!CallListOutput(options, QStringLiteral("WriteFound"), arguments, &exitCode)) return exitCode;
    return kExitOk;
}

int RunImport(const ShellOptions& options) {
    int exitCode = kExitOk;
    const QVariantList arguments{QFileInfo(options.in).absoluteFilePath(), options.sheet, options.dryRun,
                                 options.partial, options.report};
    const std::optional<int> refused = CallListOutput(options, QStringLiteral("ImportRows"), arguments, &exitCode);
    if (!refused) return exitCode;
    return *refused > 0 ? kExitRowsRefused : kExitOk;
}

}  // namespace qor::app
