#include "app/CompanyLogin.h"

#include "app/LoginDialog.h"
#include "app/PasswordSource.h"
#include "app/PropsString.h"
#include "app/Shell.h"
#include "platform/base/HostError.h"
#include "platform/db/OpenDatabase.h"
#include "platform/host/ComponentFactory.h"
#include "platform/services/Authenticate.h"
#include "platform/services/RegisterHostComponents.h"
#include "src/host/ProgIds.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>

namespace qor::app {

namespace {

services::SessionPtr LogIn(const db::DatabasePtr& database, const ShellOptions& options, bool askWithDialog,
                           QString* error) {
    const bool withDialog = askWithDialog && CanShowWindows();
    if (!options.user.isEmpty() && (options.passwordGiven || !withDialog)) {
        const std::optional<QString> password = HeadlessPassword(options, error);
        if (!password) return nullptr;
        try {
            return services::Authenticate(database, options.user, *password);
        } catch (const HostError& e) {
            *error = e.Description();
            return nullptr;
        }
    }
    if (!withDialog) {
        *error = QStringLiteral("请用 --user 指定用户。");
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

bool CanShowWindows() {
    const QString platform = QGuiApplication::platformName();
    return !platform.isEmpty() && platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

services::SessionPtr OpenCompanySession(const ShellOptions& options, bool askWithDialog, QString* error) {
    QString path = options.database;
    if (path.isEmpty()) {
        path = DefaultDemoDatabase();
        if (!QFileInfo::exists(path)) {
            ShellOptions demo = options;
            demo.database = path;
            if (RunCreateDemo(demo) != kExitOk) {
                *error = QStringLiteral("无法创建演示账套 %1。").arg(path);
                return nullptr;
            }
        }
    }
    db::DatabasePtr database;
    try {
        // The commands that only read the list leave a company file exactly as
        // it was, and read a write-protected copy too.
        const bool writes = options.command == Command::Shell || options.command == Command::Import;
        database = db::OpenDatabase(path, writes ? db::OpenMode::Existing : db::OpenMode::ReadOnly);
    } catch (const HostError& e) {
        *error = e.Description();
        return nullptr;
    }
    auto session = LogIn(database, options, askWithDialog, error);
    if (!session) return nullptr;
    services::RegisterHostComponents(session);
    PublishLoginContext(*session);
    return session;
}

}  // namespace qor::app
