#include "support/ScratchCompany.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>
#include <map>

// The host shell started by a user on a company database of each back end:
// the demo company made there, logins, and the list, export and print
// commands reading it.
namespace {

using qor::test::ScratchCompany;
using qor::test::TestBackend;

struct ShellRun {
    int exitCode;
    QString output;
    QByteArray standardOutput;
};

ShellRun Shell(const QStringList& args) {
    QProcess p;
    p.setProgram(QStringLiteral(QOR_ERP_PATH));
    p.setArguments(args);
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.start();
    p.waitForFinished(120000);
    const QByteArray standardOutput = p.readAllStandardOutput();
    return {p.exitCode(), QString::fromUtf8(standardOutput + p.readAllStandardError()), standardOutput};
}

// The demo company is made by the shell once per back end.
class ShellOnBackend : public ::testing::TestWithParam<TestBackend> {
protected:
    void SetUp() override {
        QOR_SKIP_UNAVAILABLE(GetParam());
        std::unique_ptr<ScratchCompany>& place = companies_[GetParam()];
        if (place) return;
        place = std::make_unique<ScratchCompany>(GetParam());
        const ShellRun created = Shell({"--create-demo", place->ConnectionText()});
        ASSERT_EQ(created.exitCode, 0) << created.output.toStdString();
    }
    static void TearDownTestSuite() { companies_.clear(); }

    QString Company() const { return companies_[GetParam()]->ConnectionText(); }
    QStringList Login(const char* user) const { return {"--db", Company(), "--user", user, "--password", "demo"}; }

    static std::map<TestBackend, std::unique_ptr<ScratchCompany>> companies_;
    QTemporaryDir dir_;
};
std::map<TestBackend, std::unique_ptr<ScratchCompany>> ShellOnBackend::companies_;

}  // namespace

QOR_INSTANTIATE_FOR_BACKENDS(ShellOnBackend);

TEST_P(ShellOnBackend, MakesTheDemoCompanyOnceAndRefusesBadLogins) {
    EXPECT_EQ(Shell({"--create-demo", Company()}).exitCode, 2);  // never overwrites a company
    const ShellRun r = Shell({"--db", Company(), "--user", "administrator", "--password", "wrong"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.output.contains(QStringLiteral("用户名或密码错误"))) << r.output.toStdString();
}

TEST_P(ShellOnBackend, ListExportAndPrintReadTheCompany) {
    ShellRun r = Shell(QStringList{"list"} + Login("viewer") + QStringList{"--all"});
    ASSERT_EQ(r.exitCode, 0) << r.output.toStdString();
    const QStringList lines = r.output.split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.first(), "物料代码\t物料名称\t规格型号\t销售订单编号\t客户BOM编号\t批号\t禁用");
    EXPECT_GE(lines.size(), 2001);
    EXPECT_TRUE(r.output.contains("\tY\n"));

    const QString number = lines.value(1).section(u'\t', 0, 0);
    r = Shell(QStringList{"list"} + Login("viewer") + QStringList{"--item", number});
    ASSERT_EQ(r.exitCode, 0) << r.output.toStdString();
    const QStringList itemLines = QString::fromUtf8(r.standardOutput).split('\n', Qt::SkipEmptyParts);
    EXPECT_GE(itemLines.size(), 2);
    for (const QString& line : itemLines.mid(1)) EXPECT_TRUE(line.startsWith(number + u'\t')) << line.toStdString();

    const QString csv = dir_.filePath("all.csv");
    r = Shell(QStringList{"export"} + Login("administrator") + QStringList{"--all", "--out", csv});
    ASSERT_EQ(r.exitCode, 0) << r.output.toStdString();
    const ShellRun listed =
        Shell(QStringList{"list"} + Login("administrator") + QStringList{"--all", "--format", "csv"});
    QFile written(csv);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), "\xEF\xBB\xBF" + listed.standardOutput);

    const QString pdf = dir_.filePath("item.pdf");
    r = Shell(QStringList{"print"} + Login("administrator") + QStringList{"--item", number, "--out", pdf});
    ASSERT_EQ(r.exitCode, 0) << r.output.toStdString();
    QFile printed(pdf);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_TRUE(printed.read(5) == "%PDF-");
}

// A wrong password, an unknown database and a server that does not answer
// each stop the shell at start-up with a message in Chinese.
TEST(ShellOnServer, StartUpRefusalsSayWhatIsWrong) {
    QOR_SKIP_UNAVAILABLE(TestBackend::PostgreSql);
    const QUrl server(qor::test::TestServerUrl());
    struct Case {
        const char* what;
        QUrl url;
        const char* expected;
    };
    QUrl wrongPassword = server;
    wrongPassword.setUserName(QStringLiteral("qor_password_check"));
    wrongPassword.setPassword(QStringLiteral("wrong"));
    QUrl unknown = server;
    unknown.setPath(QStringLiteral("/qor_no_such_company"));
    QUrl unreachable = server;
    unreachable.setPort(1);
    const std::vector<Case> cases{
        {"wrong password", wrongPassword, "用户名“qor_password_check”或密码不正确"},
        {"unknown database", unknown, "没有名为“qor_no_such_company”的数据库"},
        {"unreachable server", unreachable, "无法连接数据库服务器 127.0.0.1:1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ShellRun r = Shell({"--db", c.url.toString(), "--user", "administrator", "--password", "demo"});
        EXPECT_NE(r.exitCode, 0);
        EXPECT_TRUE(r.output.contains(QString::fromUtf8(c.expected))) << r.output.toStdString();
        EXPECT_FALSE(r.output.contains(QStringLiteral(":wrong@")));
    }
}
