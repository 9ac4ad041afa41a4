#include "platform/services/Authenticate.h"

#include "platform/base/Convert.h"
#include "platform/base/HostError.h"
#include "platform/db/Passwords.h"

#include <QSysInfo>

namespace qor::services {

namespace {
SessionPtr SessionOf(const db::DatabasePtr& database, const Recordset& user) {
    auto session = std::make_shared<Session>();
    session->database = database;
    session->userId = ToInt32(user.Fields(QStringLiteral("FUserID")).Value());
    session->userName = user.Fields(QStringLiteral("FName")).Text();
    session->machineName = QSysInfo::machineHostName();
    return session;
}
}  // namespace

SessionPtr Authenticate(const db::DatabasePtr& database, const QString& userName, const QString& password) {
    const QString name = userName.trimmed();
    if (name.isEmpty()) throw HostError(QStringLiteral("请输入用户名！"));

    // One answer for an unknown user and a wrong password, so that the
    // message does not tell which user names exist.
    const HostError refused(QStringLiteral("用户名或密码错误，请重新输入！"));
    // A URL that names a company user's own login role: the server has
    // checked that user's password, and the user table's hashes are not the
    // role's to read.
    if (database->SqlDialect().Kind() == db::BackendKind::PostgreSql) {
        RecordsetPtr own;
        try {
            own = database->Query(QStringLiteral("SELECT FName FROM t_User WHERE FRole = session_user"));
        } catch (const HostError&) {
            // A company older than the users' roles.
        }
        if (own && own->RecordCount() > 0) {
            if (own->Fields(0).Text() != name) throw refused;
            return AuthenticateServerUser(database);
        }
    }
    auto rs = database->Query(
        QStringLiteral("SELECT FUserID, FName, FSalt, FPasswordHash, FForbidden FROM t_User WHERE FName = ?"), {name});
    if (rs->RecordCount() == 0) throw refused;
    const QString stored = rs->Fields(QStringLiteral("FPasswordHash")).Text();
    if (!db::VerifyPassword(stored, rs->Fields(QStringLiteral("FSalt")).Text(), password)) throw refused;
    if (NullToZero(rs->Fields(QStringLiteral("FForbidden")).Value()) != 0)
        throw HostError(QStringLiteral("用户 %1 已被禁用，请与系统管理员联系！").arg(name));

    // The older hash is replaced now that the password is known; a company
    // opened only for reading keeps it until a login that writes.
    if (db::IsOlderPasswordHash(stored) && !database->IsReadOnly()) {
        try {
            database->Execute(QStringLiteral("UPDATE t_User SET FPasswordHash = ?, FSalt = '' WHERE FUserID = ?"),
                              {db::HashPassword(password), rs->Fields(QStringLiteral("FUserID")).Value()});
        } catch (const HostError&) {
        }
    }

    return SessionOf(database, *rs);
}

SessionPtr AuthenticateServerUser(const db::DatabasePtr& database) {
    auto rs =
        database->Query(QStringLiteral("SELECT FUserID, FName, FForbidden FROM t_User WHERE FRole = session_user"));
    if (rs->RecordCount() == 0) throw HostError(QStringLiteral("用户名或密码错误，请重新输入！"));
    if (NullToZero(rs->Fields(QStringLiteral("FForbidden")).Value()) != 0)
        throw HostError(
            QStringLiteral("用户 %1 已被禁用，请与系统管理员联系！").arg(rs->Fields(QStringLiteral("FName")).Text()));
    return SessionOf(database, *rs);
}

}  // namespace qor::services
