#include "app/CommandLine.h"
#include "app/PasswordSource.h"
#include "app/PropsString.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

using namespace qor::app;

TEST(CommandLine, ReadsOptionsInBothSpellings) {
    auto r = ParseCommandLine({"export", "--db", "d.db", "--user=clerk", "--password", "", "--all", "--out=a.XLSX"});
    ASSERT_TRUE(r.options);
    EXPECT_EQ(r.options->command, Command::Export);
    EXPECT_EQ(r.options->user, "clerk");
    EXPECT_TRUE(r.options->passwordGiven);  // an empty password is still a given one
    EXPECT_EQ(r.options->out, "a.XLSX");

    r = ParseCommandLine({"--create-demo", "big.db", "--traces", "1000000", "--items=100000"});
    ASSERT_TRUE(r.options);
    EXPECT_EQ(r.options->traces, 1000000);
    EXPECT_EQ(r.options->items, 100000);
}

TEST(CommandLine, RefusesBadInputWithAChineseReason) {
    const auto with = [](const char* command, const QStringList& args = {}) {
        return QStringList{command, "--db", "d.db", "--user", "clerk", "--password", "demo"} + args;
    };
    const std::tuple<const char*, QStringList, const char*> cases[]{
        {"option without its value", {"--db"}, ""},
        {"size that is not a number", {"--create-demo", "x.db", "--traces", "many"}, ""},
        {"negative size", {"--create-demo", "x.db", "--traces", "-5"}, ""},
        {"size without --create-demo", {"--db", "d.db", "--traces", "10"}, "--create-demo"},
        {"fewer groups than a demo needs", {"--create-demo", "x.db", "--groups", "2"}, "3 个物料组"},
        {"a demo too big", {"--create-demo", "x.db", "--traces", "1000000000"}, "至多"},
        {"too many groups", {"--create-demo", "x.db", "--groups", "2000000000"}, "至多"},
        {"a demo with a password file", {"--create-demo", "x.db", "--password-file", "p"}, "不用登录"},
        {"a demo with a login", {"--create-demo", "x.db", "--user", "administrator"}, "不用登录"},
        {"an option twice", with("list", {"--all", "--user", "viewer"}), "--user 只能给出一次"},
        {"a description for a password", {"user", "passwd", "hal", "--db", "d.db", "--description", "x"}, "add"},
        {"a demo over another company", {"--create-demo", "x.db", "--db", "d.db"}, "只能给出一个"},
        {"a demo without its file", {"--create-demo", ""}, "--create-demo 需要"},
        {"a login for the user command",
         {"user", "add", "hal", "--db", "d.db", "--user", "administrator", "--password", "x"},
         "不用 --user 登录"},
        {"a library registered and unregistered", {"--register", "a.so", "--unregister", "a.so"}, "只能给出一个"},
        {"register without a library", {"--register"}, ""},
        {"list without a selection", with("list"), ""},
        {"list with two selections", with("list", {"--all", "--item", "x"}), ""},
        {"list without a user", {"list", "--password", "v", "--all"}, "list 需要 --user"},
        {"unknown format", with("list", {"--all", "--format", "xml"}), ""},
        {"selection without list", {"--all"}, ""},
        {"export to a pdf", with("export", {"--all", "--out", "a.pdf"}), ".xlsx 或 .csv"},
        {"print without an out file", with("print", {"--all"}), ".pdf"},
        {"print without a selection", with("print", {"--out", "a.pdf"}), "print 需要 --item"},
        {"list to a file", with("list", {"--all", "--out", "a.pdf"}), ""},
    };
    for (const auto& [what, args, reason] : cases) {
        SCOPED_TRACE(what);
        const auto r = ParseCommandLine(args);
        EXPECT_FALSE(r.options);
        EXPECT_FALSE(r.error.isEmpty());
        EXPECT_TRUE(r.error.contains(QString::fromUtf8(reason))) << r.error.toStdString();
    }
}

TEST(PropsString, PutsTheConnectionTextInTheFirstBracedValue) {
    EXPECT_EQ(BuildPropsString("/data/a;b.db", 16, "abc"),
              "ConnectString={/data/a;b.db};UserID=16;UserName=abc;LANGUAGE=chs");
}

// A password kept off the command line: a file only its owner may read, or
// the environment.
TEST(HeadlessPassword, ComesFromAPrivateFileOrTheEnvironment) {
    QTemporaryDir dir;
    const auto write = [&dir](const char* name, QFileDevice::Permissions permissions) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("s3cret pass\n");
        file.close();
        file.setPermissions(permissions);
        return path;
    };
    const auto owner = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    // {password file, QOR_PASSWORD, password or nullptr when refused}
    const std::tuple<QString, const char*, const char*> cases[] = {
        {write("private", owner), nullptr, "s3cret pass"},
        {write("shared", owner | QFileDevice::ReadOther), nullptr, nullptr},
        {dir.filePath("missing"), "from env", nullptr},
        {{}, "from env", "from env"},
    };
    for (const auto& [file, environment, expected] : cases) {
        SCOPED_TRACE(file.toStdString());
        environment ? qputenv("QOR_PASSWORD", environment) : qunsetenv("QOR_PASSWORD");
        ShellOptions options;
        options.passwordFile = file;
        QString error;
        const std::optional<QString> password = HeadlessPassword(options, &error);
        if (expected)
            EXPECT_EQ(password, QString::fromUtf8(expected));
        else
            EXPECT_TRUE(!password && !error.isEmpty()) << error.toStdString();
    }
    qunsetenv("QOR_PASSWORD");
}
