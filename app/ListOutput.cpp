#include "app/ListOutput.h"

#include "app/CompanyLogin.h"
#include "app/ComponentLoader.h"
#include "app/OutputFiles.h"
#include "app/Shell.h"
#include "app/TraceWriter.h"
#include "platform/base/Convert.h"
#include "platform/base/HostError.h"
#include "platform/host/ComponentFactory.h"
#include "src/host/ProgIds.h"

#include <QCoreApplication>

namespace qor::app {

namespace {

constexpr int kFailedTold = -1;

}  // namespace

QVariantList ListArguments(const ShellOptions& options, const QString& argument) {
    return {options.all ? QString() : options.item, argument, options.raw};
}

std::optional<int> CallListOutput(const ShellOptions& options, const QString& member, const QVariantList& arguments,
                                  int* exitCode) {
    // The output and trace files are checked before the company is opened: a
    // wrong name must not touch the company, and the company is not opened
    // for nothing.
    if (const std::optional<QString> refusal = CommandOutputRefusal(options)) {
        *exitCode = Refuse(*refusal, kExitRefused);
        return std::nullopt;
    }
    std::shared_ptr<TraceWriter> trace;
    try {
        if (!options.traceFile.isEmpty()) trace = std::make_shared<TraceWriter>(options.traceFile);
    } catch (const HostError& e) {
        *exitCode = Refuse(e.Description(), kExitRefused);
        return std::nullopt;
    }
    QString error;
    const services::SessionPtr session = OpenCompanySession(options, false, &error);
    if (!session) {
        *exitCode = Refuse(error, kExitRefused);
        return std::nullopt;
    }
    const QString progId = QString::fromLatin1(host::progid::kBatchTraceOutput);
    const QString moduleProgId = QString::fromLatin1(host::progid::kOrderBatchTrace);
    ComponentLoader loader(QCoreApplication::applicationDirPath());
    loader.Install(progId);
    loader.Install(moduleProgId);
    int result = kFailedTold;
    try {
        if (trace) host::ComponentFactory::SetObserver(trace);
        // Switched off for the company, the list is not there to read, as in the window.
        if (!ToBool(host::ComponentFactory::Create(moduleProgId)->Call(QStringLiteral("IsUseOrderBatchTrace")))) {
            *exitCode = Refuse(SwitchedOffText(), kExitSwitchedOff);
            return std::nullopt;
        }
        const host::ObjectPtr output = host::ComponentFactory::Create(progId);
        result = ToInt32(output->Call(member, arguments));
    } catch (const HostError& e) {
        *exitCode = Refuse(e.Description(), kExitRefused);
        return std::nullopt;
    }
    if (result == kFailedTold) {
        *exitCode = kExitRefused;
        return std::nullopt;
    }
    return result;
}

}  // namespace qor::app
