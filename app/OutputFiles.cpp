#include "app/OutputFiles.h"

#include "app/Shell.h"
#include "platform/base/KeptFiles.h"
#include "platform/db/OpenDatabase.h"

namespace qor::app {

namespace {

QString OutputOf(const ShellOptions& options) {
    switch (options.command) {
        case Command::Export:
        case Command::Print:
            return options.out;
        case Command::Import:
            return options.report;
        default:
            return {};
    }
}

}  // namespace

std::optional<QString> CommandOutputRefusal(const ShellOptions& options) {
    const QString company = options.database.isEmpty() ? DefaultDemoDatabase() : options.database;
    if (!db::IsServerConnection(company)) db::KeepCompanyFiles(company);
    KeepFile(options.in, QStringLiteral("要引入的文件"));
    KeepFile(options.passwordFile, QStringLiteral("密码文件"));
    // The trace is an output too, written before the company is opened.
    if (!options.traceFile.isEmpty()) {
        if (std::optional<QString> refusal = OutputRefusal(options.traceFile, OutputUse::WrittenInPlace))
            return refusal;
        KeepFile(options.traceFile, QStringLiteral("跟踪文件"));
    }
    const QString output = OutputOf(options);
    if (output.isEmpty()) return std::nullopt;
    // A report is written as it goes; an export or a PDF replaces its file when complete.
    return OutputRefusal(output, options.command == Command::Import ? OutputUse::WrittenInPlace : OutputUse::Replaced);
}

}  // namespace qor::app
