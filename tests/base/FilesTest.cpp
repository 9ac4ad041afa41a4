#include "platform/base/FileFailure.h"
#include "platform/base/FileFolder.h"
#include "platform/base/KeptFiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <memory>
#include <tuple>

using namespace qor;

// File dialogs open where the user last chose a file, while that folder is there.
TEST(FileFolder, IsTheLastChosenFolderWhileItExists) {
    auto dir = std::make_unique<QTemporaryDir>();
    RememberFileFolder(dir->filePath("list.xlsx"));
    EXPECT_EQ(FileDialogFolder(), QDir(dir->path()).absolutePath());
    dir.reset();
    EXPECT_TRUE(QFileInfo(FileDialogFolder()).isDir());
}

// The system's English texts never reach the user.
TEST(FileFailure, NamesTheCauseInChinese) {
    const std::tuple<int, QString, QString> cases[]{
        {ENOSPC, FileFailure("/data/list.xlsx", ENOSPC), "磁盘空间不足，无法写入文件 /data/list.xlsx。"},
        {EACCES, FileFailure("/data/list.xlsx", EACCES), "没有写入文件夹 /data 的权限。"},
        {EACCES, FileReadFailure("/data/in.csv", EACCES), "没有读取文件 /data/in.csv 的权限。"},
        {ELOOP, FileReadFailure("/data/in.csv", ELOOP), "文件 /data/in.csv 的链接层次太多，或链接指向自己。"},
        {EXDEV, FileFailure("/data/list.xlsx", EXDEV), "无法写入文件 /data/list.xlsx（系统错误 18）。"},
    };
    for (const auto& [error, told, expected] : cases) EXPECT_EQ(told, expected) << error;
}

// No output replaces a kept file, whatever way its name leads there, nor a
// device, a pipe or a folder.
TEST(KeptFiles, NoOutputReplacesAKeptFileOrAnythingButARegularFile) {
    QTemporaryDir dir;
    const auto at = [&dir](const char* name) { return dir.filePath(name); };
    QFile company(at("c.db"));
    ASSERT_TRUE(company.open(QIODevice::WriteOnly));
    company.close();
    KeepFile(at("c.db"), "账套文件");
    KeepFile(at("c.db-wal"), "账套文件");  // not written yet
    KeepFile(at("trace.jsonl"), "跟踪文件");
    ASSERT_TRUE(QFile::link(at("c.db-wal"), at("dangling.csv")));
    ASSERT_TRUE(QFile::link(at("c.db"), at("link.pdf")));
    ASSERT_EQ(link(qPrintable(at("c.db")), qPrintable(at("hard.pdf"))), 0);
    ASSERT_EQ(mkfifo(qPrintable(at("pipe.csv")), 0600), 0);
    QDir().mkpath(at("sub"));
    // A relative link in a folder reached through a linked folder.
    QDir().mkpath(at("sub/inner"));
    ASSERT_TRUE(QFile::link(at("sub/inner"), at("alias")));
    ASSERT_EQ(symlink("../../c.db-wal", qPrintable(at("sub/inner/journal.csv"))), 0);
    const std::pair<QString, const char*> cases[]{
        {at("c.db"), "就是账套文件"},
        {at("sub/../c.db"), "就是账套文件"},
        {at("dangling.csv"), "就是账套文件"},
        {at("alias/journal.csv"), "就是账套文件"},
        {at("link.pdf"), "就是账套文件"},
        {at("hard.pdf"), "就是账套文件"},
        {at("trace.jsonl"), "就是跟踪文件"},
        {at("pipe.csv"), "不是普通文件"},
        {at("sub"), "不是普通文件"},
        {"/dev/null", "不是普通文件"},
        {at("list.xlsx"), ""},
    };
    for (const auto& [output, refusal] : cases) {
        const std::optional<QString> told = OutputRefusal(output);
        EXPECT_EQ(told.value_or(QString()).contains(QString::fromUtf8(refusal)), true) << output.toStdString();
        EXPECT_EQ(told.has_value(), *refusal != '\0') << output.toStdString();
    }
    // Written as it goes, a report may go to a terminal or /dev/null, not to a pipe nobody reads.
    EXPECT_FALSE(OutputRefusal("/dev/null", OutputUse::WrittenInPlace));
    EXPECT_TRUE(OutputRefusal(at("pipe.csv"), OutputUse::WrittenInPlace).value_or("").contains("没有程序在读"));
}
