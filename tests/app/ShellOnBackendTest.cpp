#include "platform/db/PostgresDatabase.h"
#include "platform/services/XlsxSheetWriter.h"
#include "tests/support/QueryResults.h"
#include "tests/support/ScratchCompany.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>
#include <functional>
#include <map>

// The host shell started by a user on a company database of each back end:
// the demo company made there, logins, and the list, export and print
// commands reading it.
namespace {

using qor::test::ScratchCompany;
using qor::test::TestBackend;

struct ShellRun {
    int exitCode;
    QString output;  // standard output, then standard error
    QByteArray standardOutput;
};

ShellRun Shell(const QStringList& args, const std::function<void(QProcessEnvironment&)>& adjust = {}) {
    QProcess p;
    p.setProgram(QStringLiteral(QOR_ERP_PATH));
    p.setArguments(args);
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    if (adjust) adjust(env);
    p.setProcessEnvironment(env);
    p.start();
    p.waitForFinished(120000);
    const QByteArray standardOutput = p.readAllStandardOutput();
    return {p.exitCode(), QString::fromUtf8(standardOutput + p.readAllStandardError()), standardOutput};
}

// The file's bytes; none for a server's URL.
QByteArray Contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
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
    // The users log in as on a desktop: on a server, as their own login roles.
    QStringList Login(const char* user, const char* password = "demo") const {
        return {"--db", companies_[GetParam()]->UserConnectionText(), "--user", user, "--password", password};
    }
    QStringList Args(const char* command, const char* user, const QStringList& args) const {
        return QStringList{command} + Login(user) + args;
    }
    ShellRun Run(const char* command, const char* user, const QStringList& args = {}) const {
        return Shell(Args(command, user, args));
    }

    static std::map<TestBackend, std::unique_ptr<ScratchCompany>> companies_;
    QTemporaryDir dir_;
};
std::map<TestBackend, std::unique_ptr<ScratchCompany>> ShellOnBackend::companies_;

}  // namespace

QOR_INSTANTIATE_FOR_BACKENDS(ShellOnBackend);

TEST_P(ShellOnBackend, ListExportAndPrintReadTheCompany) {
    if (GetParam() == TestBackend::Sqlite) companies_[GetParam()]->Open()->Query("PRAGMA journal_mode=DELETE");
    const QByteArray company = Contents(Company());
    ShellRun r = Run("list", "viewer", {"--all"});
    ASSERT_EQ(r.exitCode, 0) << r.output.toStdString();
    const QStringList lines = r.output.split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.first(), "物料代码\t物料名称\t规格型号\t销售订单编号\t客户BOM编号\t批号\t禁用");
    EXPECT_GE(lines.size(), 2001);
    EXPECT_TRUE(r.output.contains("\tY\n"));

    const QString number = lines.value(1).section(u'\t', 0, 0);
    r = Run("list", "viewer", {"--item", number});
    ASSERT_EQ(r.exitCode, 0) << r.output.toStdString();
    const QStringList itemLines = QString::fromUtf8(r.standardOutput).split('\n', Qt::SkipEmptyParts);
    EXPECT_GE(itemLines.size(), 2);
    for (const QString& line : itemLines.mid(1)) EXPECT_TRUE(line.startsWith(number + u'\t')) << line.toStdString();

    const QString csv = dir_.filePath("all.csv");
    r = Run("export", "administrator", {"--all", "--out", csv});
    ASSERT_EQ(r.exitCode, 0) << r.output.toStdString();
    const ShellRun listed = Run("list", "administrator", {"--all", "--format", "csv"});
    EXPECT_EQ(Contents(csv), "\xEF\xBB\xBF" + listed.standardOutput);

    const QString pdf = dir_.filePath("item.pdf");
    r = Run("print", "administrator", {"--item", number, "--out", pdf});
    ASSERT_EQ(r.exitCode, 0) << r.output.toStdString();
    const auto progress = QRegularExpression(QStringLiteral("已打印 (\\d+) / (\\d+) 页")).match(r.output);
    ASSERT_TRUE(progress.hasMatch()) << r.output.toStdString();
    EXPECT_EQ(progress.captured(1), progress.captured(2)) << "the last page is always told";
    EXPECT_TRUE(r.output.contains(QStringLiteral("已打印 %1 页到").arg(progress.captured(2))));
    EXPECT_TRUE(Contents(pdf).startsWith("%PDF-"));
    EXPECT_EQ(Contents(Company()), company) << "reading changes no byte of a company file, nor its journal mode";
    companies_[GetParam()]->Open();  // the window's open takes the company back to its write-ahead log
}

// The command prints what the search service finds (its scopes are tested
// there): both ways from an order, hostile text finding nothing, the view
// right needed, the company file untouched.
TEST_P(ShellOnBackend, FindPrintsTheRecordsOfAnOrderUnderTheViewRight) {
    const QByteArray company = Contents(Company());
    const auto found = [this](const QStringList& args) {
        const ShellRun r = Run("find", "viewer", args);
        EXPECT_EQ(r.exitCode, 0) << r.output.toStdString();
        return QString::fromUtf8(r.standardOutput).split(u'\n', Qt::SkipEmptyParts);
    };
    const auto database = companies_[GetParam()]->Open();
    const QString order = qor::test::Scalar(*database, "SELECT MIN(FBillNo) FROM SEOrder").toString();
    const QStringList lines = found({"--order", order.toLower()});
    EXPECT_EQ(lines.value(0), "物料代码\t物料名称\t规格型号\t销售订单编号\t行号\t客户\t客户BOM编号\t批号\t禁用");
    EXPECT_EQ(lines.size() - 1, qor::test::Scalar(*database,
                                                  "SELECT COUNT(*) FROM ICOrderBatchTrace v JOIN SEOrder o "
                                                  "ON o.FInterID = v.FOrderInterID WHERE o.FBillNo = ?",
                                                  {order})
                                    .toInt());
    for (const QString& line : lines.mid(1)) EXPECT_EQ(line.section(u'\t', 3, 3), order);
    EXPECT_EQ(found({"--batch", "' OR 1=1 --"}).size(), 1);
    EXPECT_EQ(Contents(Company()), company);

    const QString viewer = "(SELECT FUserID FROM t_User WHERE FName = 'viewer')";
    database->Execute("UPDATE t_UserRight SET FMask = 0 WHERE FModule = 1099 AND FUserID = " + viewer);
    const ShellRun refused = Run("find", "viewer", {"--batch", "2026"});
    database->Execute("UPDATE t_UserRight SET FMask = 2097152 WHERE FModule = 1099 AND FUserID = " + viewer);
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.output.contains("当前用户没有查看权限！请与系统管理员联系！")) << refused.output.toStdString();
    EXPECT_EQ(Run("find", "viewer").exitCode, 1);
}

// Export, change a copy in a spreadsheet, import, list: exactly the changes.
// A refused row keeps the whole file out unless the import is partial.
TEST_P(ShellOnBackend, AnExportedListChangedAndImportedComesBackWithExactlyTheChanges) {
    const auto list = [this] {
        const ShellRun r = Run("list", "viewer", {"--item", "01.01.001.0012"});
        return QString::fromUtf8(r.standardOutput).split(u'\n', Qt::SkipEmptyParts);
    };
    const QStringList original = list();
    ASSERT_GE(original.size(), 4);
    const QString csv = dir_.filePath("list.csv"), xlsx = dir_.filePath("list.xlsx");
    for (const QString& file : {csv, xlsx}) {
        ASSERT_EQ(Run("export", "administrator", {"--item", "01.01.001.0012", "--out", file}).exitCode, 0);
        const ShellRun same = Run("import", "administrator", {"--in", file});
        EXPECT_EQ(same.exitCode, 0) << same.output.toStdString();
        EXPECT_TRUE(same.output.startsWith(QStringLiteral("新增 0 行，修改 0 行，不变 %1 行").arg(original.size() - 1)))
            << same.output.toStdString();
    }

    // A copy with one batch renamed (a new record) and one ban flag turned over.
    QStringList rows = original;
    QStringList renamed = rows[1].split(u'\t'), flipped = rows[2].split(u'\t');
    renamed[5] += "-R";
    flipped[6] = flipped[6] == "Y" ? "" : "Y";
    rows[1] = renamed.join(u'\t');
    rows[2] = flipped.join(u'\t');
    const auto csvOf = [](const QStringList& lines) { return lines.join(u'\n').replace(u'\t', u',').toUtf8(); };
    const QStringList bad = rows + QStringList{QStringLiteral("01.01.001.0012,,,,,IMP-BAD\u0007,")};
    const QString changed = dir_.filePath("changed.csv"), refused = dir_.filePath("refused.csv");
    ASSERT_TRUE(Write(changed, csvOf(rows)) && Write(refused, csvOf(bad)));

    const ShellRun kept = Run("import", "administrator", {"--in", refused, "--report", dir_.filePath("report.csv")});
    EXPECT_EQ(kept.exitCode, 4);
    EXPECT_TRUE(kept.output.contains(QStringLiteral("第 %1 行：批号中不能有控制字符！").arg(bad.size())))
        << kept.output.toStdString();
    EXPECT_EQ(list(), original);
    const QStringList report =
        QString::fromUtf8(Contents(dir_.filePath("report.csv"))).split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(report.size(), bad.size());
    EXPECT_TRUE(report.value(1).startsWith("2,01.01.001.0012," + renamed[5] + ",新增,"))
        << report.value(1).toStdString();

    // The listed rows after the header, in any order.
    const auto expectListed = [&list](QStringList expected) {
        QStringList after = list();
        std::sort(expected.begin() + 1, expected.end());
        std::sort(after.begin() + 1, after.end());
        EXPECT_EQ(after, expected);
    };
    const ShellRun imported = Run("import", "administrator", {"--in", changed});
    EXPECT_EQ(imported.exitCode, 0) << imported.output.toStdString();
    QStringList expected = original;
    expected[2] = rows[2];
    expectListed(expected << rows[1]);

    // The same through a workbook as a spreadsheet saves it: the flag turned back.
    const QString workbook = dir_.filePath("changed.xlsx");
    qor::services::XlsxSheetWriter sheet(workbook);
    sheet.Begin("客户BOM批次对应表", original[0].split(u'\t'));
    sheet.AddRow(original[2].split(u'\t'));
    sheet.Finish();
    const ShellRun back = Run("import", "administrator", {"--in", workbook});
    EXPECT_TRUE(back.output.startsWith("新增 0 行，修改 1 行，不变 0 行，拒绝 0 行。")) << back.output.toStdString();
    expectListed(original + QStringList{rows[1]});
    EXPECT_EQ(Run("import", "administrator", {"--in", csv, "--partial", "--dry-run"}).exitCode, 1);
}

// Each refusal says why, writes no file and leaves the company as it was; a
// command line the shell cannot read ends it with its own exit code.
TEST_P(ShellOnBackend, RefusalsSayWhyAndChangeNothing) {
    QTemporaryDir others;  // files a mistyped name may point at
    const QString notes = others.filePath("notes"), database = others.filePath("o.db"), fifo = others.filePath("f.pdf"),
                  in = others.filePath("in.csv");
    ASSERT_TRUE(Write(notes, "计划\n") && Write(database, "SQLite format 3") && Write(in, "物料代码,批号\n") &&
                !mkfifo(qPrintable(fifo), 0600));
    std::vector<std::tuple<const char*, QStringList, const char*>> cases{
        {"wrong password", Login("administrator", "wrong"), "用户名或密码错误"},
        {"unknown user", Login("nobody"), "用户名或密码错误"},
        {"no password anywhere", {"list", "--db", Company(), "--user", "viewer", "--all"}, "没有给出密码"},
        {"missing company file",
         {"--db", dir_.filePath("missing.db"), "--user", "viewer", "--password", "demo"},
         "不存在"},
        {"demo company over the company", {"--create-demo", Company()}, "无法创建演示账套"},
        {"unknown item", Args("list", "viewer", {"--item", "no-such-item"}), "没有物料代码为 no-such-item 的物料"},
        {"an item number that would end the quoted literal", Args("list", "viewer", {"--item", "\\' OR 1=1) --"}),
         "没有物料代码为 \\' OR 1=1) -- 的物料"},
        {"export without the right", Args("export", "viewer", {"--all", "--out", dir_.filePath("refused.xlsx")}),
         "当前用户没有引出权限，请与系统管理员联系！"},
        {"print without the right", Args("print", "viewer", {"--all", "--out", dir_.filePath("refused.pdf")}),
         "当前用户没有打印权限！请与系统管理员联系！"},
        {"export into a missing folder",
         Args("export", "administrator", {"--all", "--out", dir_.filePath("no/such/folder/all.xlsx")}),
         "引出失败：文件夹 "},
        {"trace into a text file", Args("list", "viewer", {"--all", "--trace", notes}), "不是跟踪文件"},
        {"trace into a database", Args("list", "viewer", {"--all", "--trace", database}), "是数据库文件"},
        {"a FIFO for the company",
         {"list", "--db", fifo, "--user", "viewer", "--password", "demo", "--all"},
         "不是普通文件"},
        {"print into a FIFO", Args("print", "administrator", {"--all", "--out", fifo}),
         "不是普通文件，不能用作输出文件"},
        {"the report over the imported file", Args("import", "administrator", {"--in", in, "--report", in}),
         "就是要引入的文件"},
    };
    if (GetParam() == TestBackend::Sqlite) {
        const QString link = others.filePath("company.csv");
        ASSERT_TRUE(QFile::link(Company(), link));
        cases.emplace_back("export through a link to the company",
                           Args("export", "administrator", {"--all", "--out", link}), "就是账套文件");
        cases.emplace_back("a trace onto the company's journal",
                           Args("list", "viewer", {"--all", "--trace", Company() + "-wal"}), "就是账套文件");
    }
    const QByteArray company = Contents(Company());
    for (const auto& [what, args, reason] : cases) {
        SCOPED_TRACE(what);
        const ShellRun r = Shell(args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.output.contains(QString::fromUtf8(reason))) << r.output.toStdString();
    }
    EXPECT_TRUE(QDir(dir_.path()).isEmpty());
    EXPECT_EQ(Contents(Company()), company);
    EXPECT_EQ(Contents(notes) + Contents(database) + Contents(in), "计划\nSQLite format 3物料代码,批号\n");
    EXPECT_EQ(Shell({"--bogus"}).exitCode, 1);
    EXPECT_EQ(Shell({"list", "--db", "", "--all"}).exitCode, 1);
}

// A display that does not answer ends in the shell's own message, not in an abort.
TEST(Shell, RefusesADisplayThatDoesNotAnswer) {
    for (const char* platform : {"", "xcb"}) {
        const ShellRun r = Shell({"--db", "unused.db"}, [platform](QProcessEnvironment& env) {
            env.insert("QT_QPA_PLATFORM", platform);
            env.remove("WAYLAND_DISPLAY");
            env.insert("DISPLAY", ":1999");
        });
        EXPECT_EQ(r.exitCode, 2) << platform;
        // Nothing of Qt's own comes before it.
        EXPECT_TRUE(r.output.startsWith(QStringLiteral("没有图形显示，无法打开窗口。"))) << r.output.toStdString();
    }
}

// The owner manages the users without a SQL shell; on a server each is a
// login role whose password and whose being disabled the server enforces.
TEST_P(ShellOnBackend, TheOwnerAddsAUserWhoseRightsAndPasswordTakeEffect) {
    const QStringList owner{"--db", Company()};
    const auto user = [&](const QStringList& args) { return QStringList{"user"} + args + owner; };
    const auto as = [&](const char* command, const char* password) {
        return QStringList{command,  "--all",  "--db",       companies_[GetParam()]->UserConnectionText(),
                           "--user", "测试员", "--password", password};
    };
    const std::tuple<QStringList, int, const char*> steps[] = {
        {user({"add", "测试员", "--description", "测试", "--password", "pw1"}), 0, "已添加用户 测试员"},
        {as("list", "pw1"), 2, "当前用户没有查看权限"},
        {user({"grant", "测试员", "--rights", "view,export"}), 0, "已授予"},
        {as("list", "pw1"), 0, "物料代码"},
        {user({"passwd", "测试员", "--password", "pw2"}), 0, "已修改"},
        {as("list", "pw1"), 2, "用户名或密码错误"},
        {as("list", "pw2"), 0, "物料代码"},
        {user({"revoke", "测试员", "--rights", "view"}), 0, "已收回"},
        {as("list", "pw2"), 2, "当前用户没有查看权限"},
        {as("export", "pw2") + QStringList{"--out", dir_.filePath("x.csv")}, 2, "当前用户没有查看权限"},
        {user({"disable", "测试员"}), 0, "已禁用"},
        {as("list", "pw2"), 2, GetParam() == TestBackend::Sqlite ? "已被禁用" : "用户名或密码错误"},
        {user({"add", "测试员", "--password", "pw3"}), 2, "已经有名为“测试员”的用户"},
        {user({"grant", "测试员", "--rights", "fly"}), 1, "--rights"},
        {user({"add", "无密码", "--password", ""}), 2, "密码不能为空"},
        {user({"passwd", "没有这个人", "--password", "x"}), 2, "没有名为“没有这个人”的用户"},
    };
    for (const auto& [args, exitCode, said] : steps) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        const ShellRun r = Shell(args);
        EXPECT_EQ(r.exitCode, exitCode) << r.output.toStdString();
        EXPECT_TRUE(r.output.contains(QString::fromUtf8(said))) << r.output.toStdString();
    }
}

// A URL with a company user's own role and password logs in as that user,
// and as no other.
TEST_P(ShellOnBackend, AUrlWithAUsersOwnRoleLogsInAsThatUser) {
    if (GetParam() != TestBackend::PostgreSql) GTEST_SKIP() << "a file has no login roles";
    QUrl url(companies_[GetParam()]->UserConnectionText());
    url.setUserName(qor::db::CompanyRole(companies_[GetParam()]->ConnectionText(), "viewer"));
    url.setPassword("demo");
    for (const auto& [user, exitCode, said] :
         {std::tuple{"viewer", 0, "物料代码"}, {"administrator", 2, "用户名或密码错误"}}) {
        const ShellRun r =
            Shell({"list", "--all", "--db", url.toString(QUrl::FullyEncoded), "--user", user, "--password", "x"});
        EXPECT_EQ(r.exitCode, exitCode) << r.output.toStdString();
        EXPECT_TRUE(r.output.contains(QString::fromUtf8(said))) << r.output.toStdString();
    }
}

// The shell reads the setting through the module's object, and its call is
// traced like the module's own.
TEST_P(ShellOnBackend, SwitchedOffFeatureIsToldAndTracedAfterTheSettingsAreRead) {
    const auto switchTo = [this](const char* value) {
        companies_[GetParam()]->Open()->Execute(
            "UPDATE t_SystemProfile SET FValue=? WHERE FCategory='IC' AND FKey='UseOrderBatchTrace'", {value});
    };
    switchTo("0");
    const QString trace = dir_.filePath("t.jsonl");
    const ShellRun r = Shell(Login("viewer") + QStringList{"--trace", trace});
    const ShellRun listed = Run("list", "viewer", {"--all"});
    switchTo("1");
    for (const ShellRun& run : {r, listed}) {
        EXPECT_EQ(run.exitCode, 3);
        EXPECT_TRUE(run.output.contains("未启用")) << run.output.toStdString();
    }

    const QString lines = QString::fromUtf8(Contents(trace));
    for (const char* traced : {"\"GetSysValue\"", "\"UseShortNumber\"", "\"UseOrderBatchTrace\"",
                               "\"component\":\"QOROrderBatchTrace.COrderBatchTrace\",\"member\":"
                               "\"IsUseOrderBatchTrace\""})
        EXPECT_TRUE(lines.contains(traced)) << traced;
}

// A wrong password, an unknown database and a server that does not answer
// each stop the shell at start-up with a message in Chinese.
TEST(ShellOnServer, StartUpRefusalsSayWhatIsWrong) {
    QOR_SKIP_UNAVAILABLE(TestBackend::PostgreSql);
    QUrl wrongPassword(qor::test::TestServerUrl()), unknown(wrongPassword), unreachable(wrongPassword);
    wrongPassword.setUserName("qor_password_check");
    wrongPassword.setPassword("wrong");
    unknown.setPath("/qor_no_such_company");
    unreachable.setPort(1);
    const std::pair<QUrl, const char*> cases[] = {
        {wrongPassword, "用户名“qor_password_check”或密码不正确"},
        {unknown, "没有名为“qor_no_such_company”的数据库"},
        {unreachable, "无法连接数据库服务器 127.0.0.1:1"},
    };
    for (const auto& [url, expected] : cases) {
        const ShellRun r = Shell({"--db", url.toString(), "--user", "administrator", "--password", "demo"});
        EXPECT_NE(r.exitCode, 0);
        EXPECT_TRUE(r.output.contains(QString::fromUtf8(expected))) << r.output.toStdString();
        EXPECT_FALSE(r.output.contains(":wrong@"));
    }
}
