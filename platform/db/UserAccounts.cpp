#include "platform/db/UserAccounts.h"

#include "platform/base/HostError.h"
#include "platform/base/VisibleText.h"
#include "platform/db/Passwords.h"
#include "platform/db/PostgresDatabase.h"
#include "platform/db/TraceFunctionRights.h"

namespace qor::db {

namespace {
int UserIdOf(Database& db, const QString& name) {
    const RecordsetPtr user = db.Query(QStringLiteral("SELECT FUserID FROM t_User WHERE FName = ?"), {name});
    if (user->RecordCount() == 0) throw HostError(QStringLiteral("没有名为“%1”的用户。").arg(name));
    return user->Fields(0).Value().toInt();
}

// On a server, the user's login role takes the password too.
void SetServerPassword(Database& db, const QString& name, const QString& password) {
    auto* server = dynamic_cast<PostgresDatabase*>(&db);
    if (!server) return;
    const RecordsetPtr role = db.Query(QStringLiteral("SELECT FRole FROM t_User WHERE FName = ?"), {name});
    if (role->RecordCount() == 0 || role->Fields(0).IsNull()) return;
    server->SetRolePassword(role->Fields(0).Text(), password);
}
// The lengths of the user table's columns, in characters.
constexpr int kNameLength = 80;
constexpr int kDescriptionLength = 255;

// A server refuses an empty password to a login role, so no back end takes one.
void CheckPassword(const QString& password) {
    if (password.isEmpty()) throw HostError(QStringLiteral("密码不能为空。"));
}
}  // namespace

int AddUser(Database& db, const QString& name, const QString& description, const QString& password) {
    if (name.trimmed().isEmpty() || name != name.trimmed())
        throw HostError(QStringLiteral("用户名不能为空，前后也不能有空格。"));
    if (HasControlCharacters(name)) throw HostError(QStringLiteral("用户名中不能有控制字符。"));
    if (name.toUcs4().size() > kNameLength)
        throw HostError(QStringLiteral("用户名不能超过 %1 个字符。").arg(kNameLength));
    if (description.toUcs4().size() > kDescriptionLength)
        throw HostError(QStringLiteral("用户说明不能超过 %1 个字符。").arg(kDescriptionLength));
    CheckPassword(password);
    if (db.Query(QStringLiteral("SELECT 1 FROM t_User WHERE FName = ?"), {name})->RecordCount() > 0)
        throw HostError(QStringLiteral("已经有名为“%1”的用户。").arg(name));
    Transaction transaction(db);
    db.Execute(QStringLiteral("INSERT INTO t_User (FName, FDescription, FSalt, FPasswordHash) VALUES (?, ?, '', ?)"),
               {name, description, HashPassword(password)});
    const int id = UserIdOf(db, name);
    SetServerPassword(db, name, password);
    transaction.Commit();
    return id;
}

void SetPassword(Database& db, const QString& name, const QString& password) {
    CheckPassword(password);
    Transaction transaction(db);
    db.Execute(QStringLiteral("UPDATE t_User SET FPasswordHash = ?, FSalt = '' WHERE FUserID = ?"),
               {HashPassword(password), UserIdOf(db, name)});
    SetServerPassword(db, name, password);
    transaction.Commit();
}

void SetUserDisabled(Database& db, const QString& name, bool disabled) {
    db.Execute(QStringLiteral("UPDATE t_User SET FForbidden = ? WHERE FUserID = ?"),
               {disabled ? 1 : 0, UserIdOf(db, name)});
}

void ChangeTraceRights(Database& db, const QString& name, qint64 mask, bool grant) {
    const int id = UserIdOf(db, name);
    Transaction transaction(db);
    const RecordsetPtr held =
        db.Query(QStringLiteral("SELECT FMask FROM t_UserRight WHERE FUserID = ? AND FModule = ? AND FDetail = ?"),
                 {id, kTraceFunctionModule, kTraceFunctionDetail});
    const qint64 before = held->RecordCount() > 0 ? held->Fields(0).Value().toLongLong() : 0;
    const qint64 after = grant ? (before | mask) : (before & ~mask);
    if (held->RecordCount() == 0)
        db.Execute(QStringLiteral("INSERT INTO t_UserRight (FUserID, FModule, FDetail, FMask) VALUES (?, ?, ?, ?)"),
                   {id, kTraceFunctionModule, kTraceFunctionDetail, after});
    else
        db.Execute(QStringLiteral("UPDATE t_UserRight SET FMask = ? WHERE FUserID = ? AND FModule = ? AND FDetail = ?"),
                   {after, id, kTraceFunctionModule, kTraceFunctionDetail});
    transaction.Commit();
}

}  // namespace qor::db
