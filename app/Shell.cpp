#include "Shell.h"

#include "LoginDialog.h"
#include "PropsString.h"
#include "TraceWriter.h"
#include "base/Convert.h"
#include "base/HostError.h"
#include "component/OrderBatchTraceRegistration.h"
#include "db/DemoCompany.h"
#include "db/OpenDatabase.h"
#include "host/ComponentFactory.h"
#include "host/ProgIds.h"
#include "services/Authenticate.h"
#include "services/RegisterHostComponents.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QStandardPaths>
#include <cstdio>

namespace qor::app {

namespace {

const QString kTitle = QStringLiteral("栎澄提示");

bool CanShowWindows() {
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

// Tells the user why the shell stops: always on stderr, and in a message box
// when there is a screen to show it on.
int Refuse(const QString& text, int exitCode) {
    std::fprintf(stderr, "%s\n", qUtf8Printable(text));
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) && CanShowWindows())
        QMessageBox::warning(nullptr, kTitle, text);
    return exitCode;
}

std::shared_ptr<services::Session> LogIn(const db::DatabasePtr& database, const ShellOptions& options,
                                         QString* error) {
    if (!options.user.isEmpty() && options.passwordGiven) {
        try {
            return services::Authenticate(database, options.user, options.password);
        } catch (const HostError& e) {
            *error = e.Description();
            return nullptr;
        }
    }
    if (!CanShowWindows()) {
        *error = QStringLiteral("没有可显示登录窗口的屏幕，请用 --user 和 --password 指定用户和密码。");
        return nullptr;
    }
    LoginDialog dialog(database->ConnectionText(), options.user);
    while (dialog.exec() == QDialog::Accepted) {
        try {
            return services::Authenticate(database, dialog.User(), dialog.Password());
        } catch (const HostError& e) {
            dialog.ShowError(e.Description());
        }
    }
    *error = QStringLiteral("登录已取消。");
    return nullptr;
}

void PublishLoginContext(const services::Session& session) {
    auto props = host::ComponentFactory::Create(QString::fromLatin1(host::progid::kShareProps));
    const qint64 pid = QCoreApplication::applicationPid();
    props->Call(QStringLiteral("SetProperty"),
                {pid, QStringLiteral("PropsString"),
                 BuildPropsString(session.database->ConnectionText(), session.userId, session.userName)});
    props->Call(QStringLiteral("SetProperty"), {pid, QStringLiteral("UserID"), session.userId});
    props->Call(QStringLiteral("SetProperty"), {pid, QStringLiteral("UserName"), session.userName});
}

}  // namespace

QString DefaultDemoDatabase() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("qor-erp/demo.db"));
}

int RunCreateDemo(const ShellOptions& options) {
    try {
        QDir().mkpath(QFileInfo(options.database).absolutePath());
        QElapsedTimer timer;
        timer.start();
        auto database = db::OpenDatabase(options.database, db::OpenMode::Create);
        db::DemoOptions demo;
        if (options.traces) demo.traces = options.traces;
        if (options.items) demo.items = options.items;
        if (options.groups) demo.groups = options.groups;
        db::CreateDemoCompany(*database, demo);
        std::printf("%s\n", qUtf8Printable(QStringLiteral("已创建演示账套 %1 (%2 秒)。")
                                               .arg(options.database)
                                               .arg(timer.elapsed() / 1000.0, 0, 'f', 1)));
        return kExitOk;
    } catch (const HostError& e) {
        return Refuse(QStringLiteral("无法创建演示账套: %1").arg(e.Description()), kExitRefused);
    }
}

int RunShell(const ShellOptions& options) {
    QString path = options.database;
    if (path.isEmpty()) {
        path = DefaultDemoDatabase();
        if (!QFileInfo::exists(path)) {
            ShellOptions demo = options;
            demo.database = path;
            if (const int code = RunCreateDemo(demo); code != kExitOk) return code;
        }
    }

    db::DatabasePtr database;
    try {
        database = db::OpenDatabase(path, db::OpenMode::Existing);
    } catch (const HostError& e) {
        return Refuse(e.Description(), kExitRefused);
    }

    QString error;
    auto session = LogIn(database, options, &error);
    if (!session) return Refuse(error, kExitRefused);

    services::RegisterHostComponents(session);
    RegisterOrderBatchTrace();
    PublishLoginContext(*session);

    if (!options.traceFile.isEmpty()) {
        try {
            host::ComponentFactory::SetObserver(std::make_shared<TraceWriter>(options.traceFile));
        } catch (const HostError& e) {
            return Refuse(e.Description(), kExitRefused);
        }
    }

    try {
        auto module = host::ComponentFactory::Create(QString::fromLatin1(host::progid::kOrderBatchTrace));
        if (!ToBool(module->Call(QStringLiteral("IsUseOrderBatchTrace")))) {
            Refuse(QStringLiteral("客户BOM批次对应表功能未启用。请在系统参数中启用 IC/UseOrderBatchTrace 后再使用。"),
                   kExitSwitchedOff);
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
