#include "support/ScratchCompany.h"

#include <gtest/gtest.h>
#include <QCryptographicHash>
#include <QDir>
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

QByteArray Digest(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
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
    EXPECT_TRUE(r.output.contains(QStringLiteral("已打印 "))) << r.output.toStdString();
    QFile printed(pdf);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_TRUE(printed.read(5) == "%PDF-");

    const QString xlsx = dir_.filePath("item.xlsx");
    r = Shell(QStringList{"export"} + Login("administrator") + QStringList{"--item", number, "--out", xlsx});
    ASSERT_EQ(r.exitCode, 0) << r.output.toStdString();
    QFile workbook(xlsx);
    ASSERT_TRUE(workbook.open(QIODevice::ReadOnly));
    EXPECT_TRUE(workbook.read(2) == "PK");
}

// Each refusal says why and leaves no file.
TEST_P(ShellOnBackend, ListExportAndPrintRefuseWithAReason) {
    struct Case {
        const char* what;
        QStringList args;
        const char* reason;
    };
    const QString refused = dir_.filePath("refused.xlsx");
    const std::vector<Case> cases{
        {"unknown item", QStringList{"list"} + Login("viewer") + QStringList{"--item", "no-such-item"},
         "没有物料代码为 no-such-item 的物料"},
        {"export without the right", QStringList{"export"} + Login("viewer") + QStringList{"--all", "--out", refused},
         "当前用户没有引出权限，请与系统管理员联系！"},
        {"print without the right",
         QStringList{"print"} + Login("viewer") + QStringList{"--all", "--out", dir_.filePath("refused.pdf")},
         "当前用户没有打印权限！请与系统管理员联系！"},
        {"export into a missing folder",
         QStringList{"export"} + Login("administrator") +
             QStringList{"--all", "--out", dir_.filePath("no/such/folder/all.xlsx")},
         "引出失败：文件夹 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ShellRun r = Shell(c.args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.output.contains(QString::fromUtf8(c.reason))) << r.output.toStdString();
    }
    EXPECT_TRUE(QDir(dir_.path()).isEmpty());
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

TEST_P(ShellOnBackend, RefusesBadLoginsAndNeverOverwritesTheCompany) {
    const QByteArray before = Digest(Company());  // a file on SQLite
    ShellRun r = Shell({"--db", Company(), "--user", "administrator", "--password", "wrong"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.output.contains(QStringLiteral("用户名或密码错误"))) << r.output.toStdString();
    EXPECT_EQ(Shell({"--db", Company(), "--user", "nobody", "--password", "demo"}).exitCode, 2);
    EXPECT_EQ(Shell({"--create-demo", Company()}).exitCode, 2);
    EXPECT_EQ(Digest(Company()), before);
}

// The company file with the feature switched off, written with the sqlite3 tool.
TEST_P(ShellOnBackend, SwitchedOffFeatureIsToldAndTracedAfterTheSettingsAreRead) {
    if (GetParam() != TestBackend::Sqlite) GTEST_SKIP() << "switched off in a copy of the company file";
    const QString off = dir_.filePath("off.db");
    ASSERT_TRUE(QFile::copy(Company(), off));
    {
        QProcess sqlite;
        sqlite.start(QStringLiteral("sqlite3"),
                     {off, "UPDATE t_SystemProfile SET FValue='0' WHERE FCategory='IC' AND FKey='UseOrderBatchTrace'"});
        ASSERT_TRUE(sqlite.waitForFinished());
        ASSERT_EQ(sqlite.exitCode(), 0);
    }
    const QString trace = dir_.filePath("t.jsonl");
    const ShellRun r = Shell({"--db", off, "--user", "viewer", "--password", "demo", "--trace", trace});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_TRUE(r.output.contains(QStringLiteral("未启用"))) << r.output.toStdString();

    QFile t(trace);
    ASSERT_TRUE(t.open(QIODevice::ReadOnly));
    const QString lines = QString::fromUtf8(t.readAll());
    EXPECT_TRUE(lines.contains(QStringLiteral("\"GetSysValue\"")));
    EXPECT_TRUE(lines.contains(QStringLiteral("\"UseShortNumber\"")));
    EXPECT_TRUE(lines.contains(QStringLiteral("\"UseOrderBatchTrace\"")));
    // The shell's own call on the module's object is traced too.
    EXPECT_TRUE(lines.contains(QStringLiteral(
        "\"component\":\"QOROrderBatchTrace.COrderBatchTrace\",\"member\":\"IsUseOrderBatchTrace\"")))
        << lines.toStdString();
}

// A file that is not a company stays as it was; a missing one is not made.
TEST(ShellStart, RefusesFilesThatAreNotCompaniesWithoutWriting) {
    QTemporaryDir dir;
    const QString corrupt = dir.filePath("corrupt.db");
    QFile f(corrupt);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("this is not a company database");
    f.close();
    const QByteArray before = Digest(corrupt);
    ShellRun r = Shell({"--db", corrupt, "--user", "administrator", "--password", "demo"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.output.contains(QStringLiteral("不是公司数据库"))) << r.output.toStdString();
    EXPECT_EQ(Digest(corrupt), before);

    r = Shell({"--db", dir.filePath("missing.db"), "--user", "administrator", "--password", "demo"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_FALSE(QFile::exists(dir.filePath("missing.db")));
    EXPECT_EQ(Shell({"--bogus"}).exitCode, 1);
}
