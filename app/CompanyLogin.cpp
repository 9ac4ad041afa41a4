#include "app/CompanyLogin.h"

#include "app/LoginDialog.h"
#include "app/PasswordSource.h"
#include "app/PropsString.h"
#include "app/Shell.h"
#include "platform/base/HostError.h"
#include "platform/db/DbError.h"
#include "platform/db/OpenDatabase.h"
#include "platform/host/ComponentFactory.h"
#include "platform/services/Authenticate.h"
#include "platform/services/RegisterHostComponents.h"
#include "src/host/ProgIds.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <functional>

namespace qor::app {

namespace {

// One try of a user name and password: the session, or a HostError saying why not.
using LoginAttempt = std::function<services::SessionPtr(const QString& user, const QString& password)>;

// Asks for the user and password (from the options, or in the login window
// until a try succeeds or the user gives up) and makes the tries.
services::SessionPtr LogIn(const QString& shownCompany, const ShellOptions& options, bool askWithDialog,
                           const LoginAttempt& attempt, QString* error) {
    const bool withDialog = askWithDialog && CanShowWindows();
    if (!options.user.isEmpty() && (options.passwordGiven || !withDialog)) {
        const std::optional<QString> password = HeadlessPassword(options, error);
        if (!password) return nullptr;
        try {
            return attempt(options.user, *password);
        } catch (const HostError& e) {
            *error = e.Description();
            return nullptr;
        }
    }
    if (!withDialog) {
        *error = QStringLiteral("请用 --user 指定用户。");
        return nullptr;
    }
    LoginDialog dialog(shownCompany, options.user);
    while (dialog.exec() == QDialog::Accepted) {
        try {
            return attempt(dialog.User(), dialog.Password());
        } catch (const HostError& e) {
            dialog.ShowError(e.Description());
        }
    }
    *error = QStringLiteral("登录已取消。");
    return nullptr;
}

// A server URL that names no user: each user logs in to the server as their
// own login role, and the server checks the password.
services::SessionPtr LogInToServer(const QString& url, db::OpenMode mode, const ShellOptions& options,
                                   bool askWithDialog, QString* error) {
    const LoginAttempt attempt = [&url, mode](const QString& user, const QString& password) {
        const QString name = user.trimmed();
        if (name.isEmpty()) throw HostError(QStringLiteral("请输入用户名！"));
        try {
            return services::AuthenticateServerUser(
                db::OpenDatabase(url, mode, db::ServerLogin{db::CompanyRole(url, name), password}));
        } catch (const db::DbError& e) {
            if (e.Failure() == db::DbFailure::LoginRefused)
                throw HostError(QStringLiteral("用户名或密码错误，请重新输入！"));
            throw;
        }
    };
    return LogIn(db::UrlWithoutPassword(url), options, askWithDialog, attempt, error);
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
    // The commands that only read the list leave a company file exactly as
    // it was, and read a write-protected copy too.
    const bool writes = options.command == Command::Shell || options.command == Command::Import;
    const db::OpenMode mode = writes ? db::OpenMode::Existing : db::OpenMode::ReadOnly;
    services::SessionPtr session;
    if (db::IsServerConnection(path) && db::UrlUser(path).isEmpty()) {
        session = LogInToServer(path, mode, options, askWithDialog, error);
    } else {
        db::DatabasePtr database;
        try {
            database = db::OpenDatabase(path, mode);
        } catch (const HostError& e) {
            *error = e.Description();
            return nullptr;
        }
        session = LogIn(
            database->ConnectionText(), options, askWithDialog,
            [&database](const QString& user, const QString& password) {
                return services::Authenticate(database, user, password);
            },
            error);
    }
    if (!session) return nullptr;
    services::RegisterHostComponents(session);
    PublishLoginContext(*session);
    return session;
}

}  // namespace qor::app
