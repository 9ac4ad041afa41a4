#include "CommandLine.h"
#include "PropsString.h"

#include <gtest/gtest.h>

using namespace qor::app;

TEST(CommandLine, ReadsLoginOptionsInBothSpellings) {
    auto r = ParseCommandLine({"--db", "d.db", "--user=clerk", "--password", "", "--trace", "t.jsonl"});
    ASSERT_TRUE(r.options);
    EXPECT_EQ(r.options->command, Command::Shell);
    EXPECT_EQ(r.options->database, "d.db");
    EXPECT_EQ(r.options->user, "clerk");
    EXPECT_TRUE(r.options->passwordGiven);  // an empty password is still a given one
    EXPECT_EQ(r.options->traceFile, "t.jsonl");
}

TEST(CommandLine, CreateDemoTakesSizes) {
    auto r = ParseCommandLine({"--create-demo", "big.db", "--traces", "1000000", "--items=100000"});
    ASSERT_TRUE(r.options);
    EXPECT_EQ(r.options->command, Command::CreateDemo);
    EXPECT_EQ(r.options->database, "big.db");
    EXPECT_EQ(r.options->traces, 1000000);
    EXPECT_EQ(r.options->items, 100000);
    EXPECT_EQ(r.options->groups, 0);
}

TEST(CommandLine, RefusesBadInputWithAChineseReason) {
    EXPECT_FALSE(ParseCommandLine({"--db"}).options);
    EXPECT_FALSE(ParseCommandLine({"--bogus"}).options);
    EXPECT_FALSE(ParseCommandLine({"--create-demo", "x.db", "--traces", "many"}).options);
    EXPECT_FALSE(ParseCommandLine({"--create-demo", "x.db", "--traces", "-5"}).options);
    auto r = ParseCommandLine({"--db", "d.db", "--traces", "10"});
    EXPECT_FALSE(r.options);
    EXPECT_TRUE(r.error.contains(QStringLiteral("--create-demo")));
    EXPECT_TRUE(ParseCommandLine({"--help"}).options->command == Command::Help);
}

TEST(CommandLine, RegisterAndUnregisterNameALibrary) {
    auto r = ParseCommandLine({"--register", "/usr/lib/qor-erp/QOROrderBatchTrace.so"});
    ASSERT_TRUE(r.options);
    EXPECT_EQ(r.options->command, Command::Register);
    EXPECT_EQ(r.options->library, "/usr/lib/qor-erp/QOROrderBatchTrace.so");
    r = ParseCommandLine({"--unregister=lib.so"});
    ASSERT_TRUE(r.options);
    EXPECT_EQ(r.options->command, Command::Unregister);
    EXPECT_EQ(r.options->library, "lib.so");
    EXPECT_FALSE(ParseCommandLine({"--register"}).options);
}

TEST(CommandLine, ListNeedsOneSelectionAndALogin) {
    auto r = ParseCommandLine({"list", "--db", "d.db", "--user", "viewer", "--password", "demo", "--item", "01.001"});
    ASSERT_TRUE(r.options);
    EXPECT_EQ(r.options->command, Command::List);
    EXPECT_EQ(r.options->item, "01.001");
    EXPECT_EQ(r.options->format, "tsv");
    EXPECT_FALSE(ParseCommandLine({"list", "--db", "d.db", "--user", "v", "--password", "p"}).options);
    EXPECT_FALSE(ParseCommandLine({"list", "--user", "v", "--password", "p", "--all", "--item", "x"}).options);
    EXPECT_FALSE(ParseCommandLine({"list", "--user", "v", "--all"}).options);
    EXPECT_FALSE(ParseCommandLine({"list", "--user", "v", "--password", "p", "--all", "--format", "xml"}).options);
    EXPECT_FALSE(ParseCommandLine({"--all"}).options);  // only with list
}

TEST(CommandLine, ExportAndPrintNeedAListAndAnOutFileOfTheirKind) {
    const QStringList login{"--db", "d.db", "--user", "clerk", "--password", "demo"};
    auto r = ParseCommandLine(QStringList{"export"} + login + QStringList{"--all", "--out", "a.XLSX"});
    ASSERT_TRUE(r.options);
    EXPECT_EQ(r.options->command, Command::Export);
    EXPECT_TRUE(r.options->all);
    EXPECT_EQ(r.options->out, "a.XLSX");
    EXPECT_TRUE(ParseCommandLine(QStringList{"export"} + login + QStringList{"--item", "01", "--out=a.csv"}).options);
    r = ParseCommandLine(QStringList{"print"} + login + QStringList{"--item", "01.001", "--out", "list.pdf"});
    ASSERT_TRUE(r.options);
    EXPECT_EQ(r.options->command, Command::Print);
    EXPECT_EQ(r.options->item, "01.001");

    r = ParseCommandLine(QStringList{"export"} + login + QStringList{"--all", "--out", "a.pdf"});
    EXPECT_FALSE(r.options);
    EXPECT_TRUE(r.error.contains(QStringLiteral(".xlsx 或 .csv"))) << r.error.toStdString();
    r = ParseCommandLine(QStringList{"print"} + login + QStringList{"--all"});
    EXPECT_FALSE(r.options);
    EXPECT_TRUE(r.error.contains(QStringLiteral(".pdf")));
    r = ParseCommandLine(QStringList{"print"} + login + QStringList{"--out", "a.pdf"});
    EXPECT_FALSE(r.options);
    EXPECT_TRUE(r.error.startsWith(QStringLiteral("print 需要 --item")));
    EXPECT_FALSE(ParseCommandLine(QStringList{"print", "--all", "--out", "a.pdf", "--user", "clerk"}).options);
    EXPECT_FALSE(
        ParseCommandLine(QStringList{"print"} + login + QStringList{"--all", "--out", "a.pdf", "--format", "csv"}).options);
    EXPECT_FALSE(ParseCommandLine(QStringList{"list"} + login + QStringList{"--all", "--out", "a.pdf"}).options);
}

TEST(PropsString, PutsTheConnectionTextInTheFirstBracedValue) {
    EXPECT_EQ(BuildPropsString("/data/a;b.db", 16, "abc"),
              "ConnectString={/data/a;b.db};UserID=16;UserName=abc;LANGUAGE=chs");
}
