#include "app/Shell.h"
#include "platform/base/VisibleText.h"

#include "app/CompanyLogin.h"
#include "app/ComponentLoader.h"
#include "app/OutputFiles.h"
#include "app/TraceWriter.h"
#include "app/UnfinishedCompanyFile.h"
#include "platform/base/Convert.h"
#include "platform/base/HostError.h"
#include "platform/db/DemoCompany.h"
#include "platform/db/OpenDatabase.h"
#include "platform/host/ComponentFactory.h"
#include "src/host/ProgIds.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>
#include <algorithm>
#include <cstdio>
#include <optional>

namespace qor::app {

namespace {

const QString kTitle = QStringLiteral("栎澄提示");

}  // namespace

int Refuse(const QString& text, int exitCode) {
    std::fprintf(stderr, "%s\n", qUtf8Printable(WithVisibleControls(text)));
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) && CanShowWindows())
        QMessageBox::warning(nullptr, kTitle, text);
    return exitCode;
}

QString DefaultDemoDatabase() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("qor-erp/demo.db"));
}

int RunCreateDemo(const ShellOptions& options) {
    try {
        if (!db::IsServerConnection(options.database)) QDir().mkpath(QFileInfo(options.database).absolutePath());
        QElapsedTimer timer;
        timer.start();
        // A file is guarded from before it is made, and declared first, so
        // that a failure closes the company before removing its file. A
        // server company that stays empty is taken again by the next try.
        std::optional<UnfinishedCompanyFile> unfinished;
        if (!db::IsServerConnection(options.database) && !QFileInfo::exists(options.database))
            unfinished.emplace(options.database);
        db::DatabasePtr database;
        try {
            database = db::OpenDatabase(options.database, db::OpenMode::Create);
        } catch (const HostError&) {
            // Refused before making the file, or the file already removed.
            if (unfinished) unfinished->Finish();
            throw;
        }
        db::DemoOptions demo;
        if (options.traces) demo.traces = options.traces;
        if (options.items) demo.items = options.items;
        if (options.groups)
            demo.groups = options.groups;
        else if (options.items)
            demo.groups = std::max(demo.groups, options.items / 20);  // about 20 items a group
        db::CreateDemoCompany(*database, demo);
        if (unfinished) unfinished->Finish();
        std::printf("%s\n", qUtf8Printable(QStringLiteral("已创建演示账套 %1 (%2 秒)。")
                                               .arg(database->ConnectionText())
                                               .arg(timer.elapsed() / 1000.0, 0, 'f', 1)));
        return kExitOk;
    } catch (const HostError& e) {
        return Refuse(QStringLiteral("无法创建演示账套: %1").arg(e.Description()), kExitRefused);
    } catch (const std::exception&) {
        // Out of memory for the sizes asked: the unfinished file is gone by now.
        return Refuse(QStringLiteral("无法创建演示账套: 内存不足。"), kExitRefused);
    }
}

QString SwitchedOffText() {
    return QStringLiteral("客户BOM批次对应表功能未启用。请在系统参数中启用 IC/UseOrderBatchTrace 后再使用。");
}

int RunShell(const ShellOptions& options) {
    if (const std::optional<QString> refusal = CommandOutputRefusal(options)) return Refuse(*refusal, kExitRefused);
    std::shared_ptr<TraceWriter> trace;
    try {
        if (!options.traceFile.isEmpty()) trace = std::make_shared<TraceWriter>(options.traceFile);
    } catch (const HostError& e) {
        return Refuse(e.Description(), kExitRefused);
    }
    QString error;
    if (!OpenCompanySession(options, true, &error)) return Refuse(error, kExitRefused);
    const QString progId = QString::fromLatin1(host::progid::kOrderBatchTrace);
    ComponentLoader loader(QCoreApplication::applicationDirPath());
    loader.Install(progId);

    if (trace) host::ComponentFactory::SetObserver(trace);

    try {
        auto module = host::ComponentFactory::Create(progId);
        if (!ToBool(module->Call(QStringLiteral("IsUseOrderBatchTrace")))) {
            Refuse(SwitchedOffText(), kExitSwitchedOff);
            return kExitSwitchedOff;
        }
        module->Call(QStringLiteral("Show"));
    } catch (const HostError& e) {
        return Refuse(QStringLiteral("无法打开客户BOM批次对应表: %1").arg(e.Description()), kExitRefused);
    }
    host::ComponentFactory::SetObserver(nullptr);
    return kExitOk;
}

}  // namespace qor::app
