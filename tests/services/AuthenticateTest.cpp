#include "CompanyFixture.h"
#include "ForwardingDatabase.h"

#include "base/HostError.h"
#include "db/Passwords.h"
#include "services/Authenticate.h"

namespace qor::test {
namespace {

// Counts the statements that could change the database.
class WriteCountingDatabase : public ForwardingDatabase {
public:
    using ForwardingDatabase::ForwardingDatabase;
    qint64 Execute(const QString& sql, const QVariantList& params = {}) override {
        ++writes;
        return inner_->Execute(sql, params);
    }
    void ExecuteScript(const QString& sql) override {
        ++writes;
        inner_->ExecuteScript(sql);
    }
    void Begin() override {
        ++writes;
        inner_->Begin();
    }
    int writes = 0;
};

class AuthenticateTest : public CompanyFixture {
protected:
    void SetUp() override {
        CompanyFixture::SetUp();
        if (IsSkipped()) return;
        AddUser(QStringLiteral("王工"), QStringLiteral("secret"), false);
        AddUser(QStringLiteral("离职"), QStringLiteral("secret"), true);
        watched_ = std::make_shared<WriteCountingDatabase>(database_);
    }

    void AddUser(const QString& name, const QString& password, bool forbidden) {
        const QString salt = db::NewSalt();
        Exec(QStringLiteral("INSERT INTO t_User (FName, FSalt, FPasswordHash, FForbidden) VALUES (?, ?, ?, ?)"),
             {name, salt, db::HashPassword(salt, password), forbidden ? 1 : 0});
    }

    QString Refusal(const QString& name, const QString& password) {
        try {
            services::Authenticate(watched_, name, password);
        } catch (const HostError& e) {
            return e.Description();
        }
        return QStringLiteral("(logged in)");
    }

    std::shared_ptr<WriteCountingDatabase> watched_;
};

QOR_INSTANTIATE_FOR_BACKENDS(AuthenticateTest);

TEST_P(AuthenticateTest, RightPasswordGivesTheUsersSession) {
    auto session = services::Authenticate(watched_, QStringLiteral(" 王工 "), QStringLiteral("secret"));
    ASSERT_TRUE(session);
    const auto expectedId =
        database_->Query(QStringLiteral("SELECT FUserID FROM t_User WHERE FName = '王工'"))->Fields(0).Value().toInt();
    EXPECT_EQ(session->userId, expectedId);
    EXPECT_EQ(session->userName, QStringLiteral("王工"));
    EXPECT_EQ(session->database, watched_);
    EXPECT_FALSE(session->machineName.isEmpty());
    EXPECT_EQ(watched_->writes, 0);
}

TEST_P(AuthenticateTest, RefusalsSayWhyAndWriteNothing) {
    const QString wrongPassword = Refusal(QStringLiteral("王工"), QStringLiteral("Secret"));
    EXPECT_EQ(wrongPassword, QStringLiteral("用户名或密码错误，请重新输入！"));
    EXPECT_EQ(Refusal(QStringLiteral("张三"), QStringLiteral("secret")), wrongPassword);
    EXPECT_EQ(Refusal(QStringLiteral("王工"), QString()), wrongPassword);
    EXPECT_EQ(Refusal(QStringLiteral("离职"), QStringLiteral("secret")),
              QStringLiteral("用户 离职 已被禁用，请与系统管理员联系！"));
    EXPECT_EQ(Refusal(QStringLiteral("  "), QStringLiteral("secret")), QStringLiteral("请输入用户名！"));
    EXPECT_EQ(watched_->writes, 0);
}

}  // namespace
}  // namespace qor::test
