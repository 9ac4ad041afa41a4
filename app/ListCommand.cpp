#include "app/ListCommand.h"

#include "app/ListOutput.h"
#include "app/Shell.h"

namespace qor::app {

int RunList(const ShellOptions& options) {
    int exitCode = kExitOk;
    if (!CallListOutput(options, QStringLiteral("WriteList"), options.format, &exitCode)) return exitCode;
    return kExitOk;
}

}  // namespace qor::app
