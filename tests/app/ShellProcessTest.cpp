#include <QCryptographicHash>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

// The host shell as a user starts it: the exit code, what it says, and that a
// refused start leaves the database file as it was.
namespace {

struct ShellRun {
    int exitCode;
    QString output;
    QByteArray standardOutput;
};

ShellRun Shell(const QStringList& args, const QHash<QString, QString>& environment = {}) {
    QProcess p;
    p.setProgram(QStringLiteral(QOR_ERP_PATH));
    p.setArguments(args);
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (auto it = environment.cbegin(); it != environment.cend(); ++it) env.insert(it.key(), it.value());
    p.setProcessEnvironment(env);
    p.start();
    p.waitForFinished(60000);
    const QByteArray standardOutput = p.readAllStandardOutput();
    return {p.exitCode(), QString::fromUtf8(standardOutput + p.readAllStandardError()), standardOutput};
}

QByteArray Digest(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

class ShellProcess : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new QTemporaryDir;
        const ShellRun created = Shell({"--create-demo", dir_->filePath("demo.db")});
        ASSERT_EQ(created.exitCode, 0) << created.output.toStdString();
    }
    static void TearDownTestSuite() { delete dir_; }
    static QString Demo() { return dir_->filePath("demo.db"); }
    static QTemporaryDir* dir_;
};
QTemporaryDir* ShellProcess::dir_ = nullptr;

}  // namespace

TEST_F(ShellProcess, RefusesBadLoginsAndFilesWithoutWriting) {
    const QByteArray before = Digest(Demo());
    ShellRun r = Shell({"--db", Demo(), "--user", "administrator", "--password", "wrong"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.output.contains(QStringLiteral("用户名或密码错误"))) << r.output.toStdString();
    r = Shell({"--db", Demo(), "--user", "nobody", "--password", "demo"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(Digest(Demo()), before);

    const QString corrupt = dir_->filePath("corrupt.db");
    QFile f(corrupt);
    f.open(QIODevice::WriteOnly);
    f.write("this is not a company database");
    f.close();
    const QByteArray corruptBefore = Digest(corrupt);
    r = Shell({"--db", corrupt, "--user", "administrator", "--password", "demo"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.output.contains(QStringLiteral("不是公司数据库"))) << r.output.toStdString();
    EXPECT_EQ(Digest(corrupt), corruptBefore);

    r = Shell({"--db", dir_->filePath("missing.db"), "--user", "administrator", "--password", "demo"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_FALSE(QFile::exists(dir_->filePath("missing.db")));

    EXPECT_EQ(Shell({"--create-demo", Demo()}).exitCode, 2);  // never overwrites a company
    EXPECT_EQ(Digest(Demo()), before);
    EXPECT_EQ(Shell({"--bogus"}).exitCode, 1);
}

TEST_F(ShellProcess, ListPrintsTheGridRowsUnderTheViewRight) {
    ShellRun r = Shell({"list", "--db", Demo(), "--user", "viewer", "--password", "demo", "--all"});
    ASSERT_EQ(r.exitCode, 0) << r.output.toStdString();
    const QStringList lines = r.output.split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.first(), "物料代码\t物料名称\t规格型号\t销售订单编号\t客户BOM编号\t批号\t禁用");
    EXPECT_GE(lines.size(), 2001);
    EXPECT_TRUE(r.output.contains("\tY\n"));  // banned records show Y

    r = Shell({"list", "--db", Demo(), "--user", "viewer", "--password", "demo", "--item", "no-such-item"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.output.contains(QStringLiteral("没有物料代码为 no-such-item 的物料")));
}

TEST_F(ShellProcess, SwitchedOffFeatureIsToldAndTracedAfterTheSettingsAreRead) {
    const QString off = dir_->filePath("off.db");
    ASSERT_TRUE(QFile::copy(Demo(), off));
    {
        QProcess sqlite;
        sqlite.start(QStringLiteral("sqlite3"),
                     {off, "UPDATE t_SystemProfile SET FValue='0' WHERE FCategory='IC' AND FKey='UseOrderBatchTrace'"});
        ASSERT_TRUE(sqlite.waitForFinished());
        ASSERT_EQ(sqlite.exitCode(), 0);
    }
    const QString trace = dir_->filePath("t.jsonl");
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

TEST_F(ShellProcess, RegistersAndUnregistersTheComponentLibrary) {
    const QHash<QString, QString> registries{{"XDG_CONFIG_HOME", dir_->filePath("user-config")},
                                             {"XDG_CONFIG_DIRS", dir_->filePath("system-config")}};
    const QString library = QStringLiteral(QOR_COMPONENT_LIBRARY);
    ShellRun r = Shell({"--register", library}, registries);
    ASSERT_EQ(r.exitCode, 0) << r.output.toStdString();
    EXPECT_TRUE(r.output.startsWith(QStringLiteral("已注册部件库 %1").arg(library))) << r.output.toStdString();
    const QString folder = dir_->filePath(geteuid() == 0 ? "system-config" : "user-config");
    QFile registry(folder + QStringLiteral("/qor-erp/components.ini"));
    ASSERT_TRUE(registry.open(QIODevice::ReadOnly));
    const QString written = QString::fromUtf8(registry.readAll());
    EXPECT_TRUE(written.contains(QStringLiteral("[QOROrderBatchTrace.COrderBatchTrace]"))) << written.toStdString();
    EXPECT_TRUE(written.contains(QStringLiteral("Library=") + library)) << written.toStdString();

    r = Shell({"--unregister", library}, registries);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.output.startsWith(QStringLiteral("已注销部件库"))) << r.output.toStdString();
    EXPECT_FALSE(registry.exists());
    r = Shell({"--unregister", library}, registries);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.output.contains(QStringLiteral("无需注销"))) << r.output.toStdString();

    r = Shell({"--register", dir_->filePath("nowhere/QOROrderBatchTrace.so")}, registries);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.output.contains(QStringLiteral("不存在"))) << r.output.toStdString();
}

TEST_F(ShellProcess, ExportWritesTheListsRowsUnderTheExportRight) {
    const QStringList admin{"--db", Demo(), "--user", "administrator", "--password", "demo", "--all"};
    const QString csv = dir_->filePath("all.csv");
    ShellRun r = Shell(QStringList{"export"} + admin + QStringList{"--out", csv});
    ASSERT_EQ(r.exitCode, 0) << r.output.toStdString();
    const ShellRun listed = Shell(QStringList{"list"} + admin + QStringList{"--format", "csv"});
    ASSERT_EQ(listed.exitCode, 0);
    QFile written(csv);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), "\xEF\xBB\xBF" + listed.standardOutput);  // the export holds what the list shows

    const QString xlsx = dir_->filePath("item.xlsx");
    r = Shell({"export", "--db", Demo(), "--user", "administrator", "--password", "demo", "--item", "01.01.001.0012",
               "--out", xlsx});
    ASSERT_EQ(r.exitCode, 0) << r.output.toStdString();
    QFile workbook(xlsx);
    ASSERT_TRUE(workbook.open(QIODevice::ReadOnly));
    EXPECT_TRUE(workbook.read(2) == "PK");

    r = Shell({"export", "--db", Demo(), "--user", "viewer", "--password", "demo", "--all", "--out",
               dir_->filePath("viewer.xlsx")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.output.contains(QStringLiteral("当前用户没有引出权限，请与系统管理员联系！"))) << r.output.toStdString();
    EXPECT_FALSE(QFile::exists(dir_->filePath("viewer.xlsx")));

    r = Shell(QStringList{"export"} + admin + QStringList{"--out", dir_->filePath("no/such/folder/all.xlsx")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.output.contains(QStringLiteral("引出失败：文件夹 "))) << r.output.toStdString();
}

TEST_F(ShellProcess, PrintWritesThePagesToAPdfUnderThePrintRight) {
    const QString pdf = dir_->filePath("all.pdf");
    ShellRun r =
        Shell({"print", "--db", Demo(), "--user", "administrator", "--password", "demo", "--all", "--out", pdf});
    ASSERT_EQ(r.exitCode, 0) << r.output.toStdString();
    EXPECT_TRUE(r.output.contains(QStringLiteral("已打印 "))) << r.output.toStdString();
    QFile printed(pdf);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_TRUE(printed.read(5) == "%PDF-");

    r = Shell({"print", "--db", Demo(), "--user", "viewer", "--password", "demo", "--all", "--out",
               dir_->filePath("viewer.pdf")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.output.contains(QStringLiteral("当前用户没有打印权限！请与系统管理员联系！"))) << r.output.toStdString();
    EXPECT_FALSE(QFile::exists(dir_->filePath("viewer.pdf")));
}
