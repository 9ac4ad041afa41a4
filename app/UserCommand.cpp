#include "app/UserCommand.h"

#include "app/PasswordSource.h"
#include "app/Shell.h"
#include "platform/base/HostError.h"
#include "platform/db/OpenDatabase.h"
#include "platform/db/TraceFunctionRights.h"
#include "platform/db/UserAccounts.h"
#include "src/host/TraceRights.h"

#include <cstdio>

namespace qor::app {

// The user command changes, through the host, the rights the module asks for.
static_assert(db::kTraceFunctionModule == kTraceRightModule && db::kTraceFunctionDetail == kTraceRightDetail);
static_assert(db::kTraceRightView == kRightView && db::kTraceRightNew == kRightNew &&
              db::kTraceRightModify == kRightModify && db::kTraceRightBan == kRightBan &&
              db::kTraceRightDelete == kRightDelete);

int RunUser(const ShellOptions& options) {
    const QString& name = options.accountName;
    const QString& action = options.userAction;
    try {
        std::optional<QString> password;
        if (action == QLatin1String("add") || action == QLatin1String("passwd")) {
            QString error;
            password = HeadlessPassword(options, &error);
            if (!password) return Refuse(error, kExitRefused);
        }
        const db::DatabasePtr database = db::OpenDatabase(options.database, db::OpenMode::Existing);
        QString done;
        if (action == QLatin1String("add")) {
            db::AddUser(*database, name, options.description, *password);
            done = QStringLiteral("已添加用户 %1。");
        } else if (action == QLatin1String("passwd")) {
            db::SetPassword(*database, name, *password);
            done = QStringLiteral("已修改用户 %1 的密码。");
        } else if (action == QLatin1String("disable") || action == QLatin1String("enable")) {
            const bool disable = action == QLatin1String("disable");
            db::SetUserDisabled(*database, name, disable);
            done = disable ? QStringLiteral("已禁用用户 %1。") : QStringLiteral("已启用用户 %1。");
        } else {
            const bool grant = action == QLatin1String("grant");
            db::ChangeTraceRights(*database, name, *TraceRightsNamed(options.rights), grant);
            done = grant ? QStringLiteral("已授予用户 %1 权限：%2。") : QStringLiteral("已收回用户 %1 的权限：%2。");
            done = done.arg(QStringLiteral("%1"), options.rights);
        }
        std::printf("%s\n", qUtf8Printable(done.arg(name)));
        return kExitOk;
    } catch (const HostError& e) {
        return Refuse(e.Description(), kExitRefused);
    }
}

}  // namespace qor::app
