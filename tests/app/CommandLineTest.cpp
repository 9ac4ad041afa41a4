#include "app/CommandLine.h"
#include "app/PropsString.h"

#include <gtest/gtest.h>

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
    const QStringList login{"--db", "d.db", "--user", "clerk", "--password", "demo"};
    struct Case {
        const char* what;
        QStringList args;
        const char* reason;
    };
    const std::vector<Case> cases{
        {"option without its value", {"--db"}, ""},
        {"size that is not a number", {"--create-demo", "x.db", "--traces", "many"}, ""},
        {"negative size", {"--create-demo", "x.db", "--traces", "-5"}, ""},
        {"size without --create-demo", {"--db", "d.db", "--traces", "10"}, "--create-demo"},
        {"register without a library", {"--register"}, ""},
        {"list without a selection", QStringList{"list"} + login, ""},
        {"list with two selections", QStringList{"list"} + login + QStringList{"--all", "--item", "x"}, ""},
        {"list without a password", {"list", "--user", "v", "--all"}, ""},
        {"unknown format", QStringList{"list"} + login + QStringList{"--all", "--format", "xml"}, ""},
        {"selection without list", {"--all"}, ""},
        {"export to a pdf", QStringList{"export"} + login + QStringList{"--all", "--out", "a.pdf"}, ".xlsx 或 .csv"},
        {"print without an out file", QStringList{"print"} + login + QStringList{"--all"}, ".pdf"},
        {"print without a selection", QStringList{"print"} + login + QStringList{"--out", "a.pdf"},
         "print 需要 --item"},
        {"list to a file", QStringList{"list"} + login + QStringList{"--all", "--out", "a.pdf"}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto r = ParseCommandLine(c.args);
        EXPECT_FALSE(r.options);
        EXPECT_FALSE(r.error.isEmpty());
        EXPECT_TRUE(r.error.contains(QString::fromUtf8(c.reason))) << r.error.toStdString();
    }
}

TEST(PropsString, PutsTheConnectionTextInTheFirstBracedValue) {
    EXPECT_EQ(BuildPropsString("/data/a;b.db", 16, "abc"),
              "ConnectString={/data/a;b.db};UserID=16;UserName=abc;LANGUAGE=chs");
}
