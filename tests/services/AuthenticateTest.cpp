#include "CompanyFixture.h"

#include "base/HostError.h"
#include "db/Passwords.h"
#include "services/Authenticate.h"

namespace qor::test {
namespace {

class AuthenticateTest : public CompanyFixture {
protected:
    void SetUp() override {
        CompanyFixture::SetUp();
        if (IsSkipped()) return;
        AddUser(QStringLiteral("王工"), QStringLiteral("secret"), false);
        AddUser(QStringLiteral("离职"), QStringLiteral("secret"), true);
    }

    void AddUser(const QString& name, const QString& password, bool forbidden) {
        const QString salt = db::NewSalt();
        Exec(QStringLiteral("INSERT INTO t_User (FName, FSalt, FPasswordHash, FForbidden) VALUES (?, ?, ?, ?)"),
             {name, salt, db::HashPassword(salt, password), forbidden ? 1 : 0});
    }

    QString Refusal(const QString& name, const QString& password) {
        try {
            services::Authenticate(database_, name, password);
        } catch (const HostError& e) {
            return e.Description();
        }
        return QStringLiteral("(logged in)");
    }

    QString Users() const { return Rows(QStringLiteral("SELECT * FROM t_User ORDER BY FUserID")); }
};

QOR_INSTANTIATE_FOR_BACKENDS(AuthenticateTest);

TEST_P(AuthenticateTest, RightPasswordGivesTheUsersSessionAndRefusalsSayWhy) {
    const QString users = Users();
    auto session = services::Authenticate(database_, QStringLiteral(" 王工 "), QStringLiteral("secret"));
    ASSERT_TRUE(session);
    const auto user = database_->Query(QStringLiteral("SELECT FUserID FROM t_User WHERE FName = '王工'"));
    EXPECT_EQ(session->userId, user->Fields(0).Value().toInt());
    EXPECT_EQ(session->userName, QStringLiteral("王工"));
    EXPECT_EQ(session->database, database_);
    EXPECT_FALSE(session->machineName.isEmpty());

    const QString wrongPassword = Refusal(QStringLiteral("王工"), QStringLiteral("Secret"));
    EXPECT_EQ(wrongPassword, QStringLiteral("用户名或密码错误，请重新输入！"));
    EXPECT_EQ(Refusal(QStringLiteral("张三"), QStringLiteral("secret")), wrongPassword);
    EXPECT_EQ(Refusal(QStringLiteral("王工"), QString()), wrongPassword);
    EXPECT_EQ(Refusal(QStringLiteral("离职"), QStringLiteral("secret")),
              QStringLiteral("用户 离职 已被禁用，请与系统管理员联系！"));
    EXPECT_EQ(Refusal(QStringLiteral("  "), QStringLiteral("secret")), QStringLiteral("请输入用户名！"));
    EXPECT_EQ(Users(), users);
    EXPECT_EQ(Count(QStringLiteral("t_Log")), 0);
}

}  // namespace
}  // namespace qor::test
