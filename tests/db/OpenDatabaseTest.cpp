#include "platform/db/DbError.h"
#include "platform/db/Migrations.h"
#include "platform/db/OpenDatabase.h"
#include "platform/db/SqliteDatabase.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <tuple>

using namespace qor;
using namespace qor::db;

namespace {
class OpenDatabaseTest : public ::testing::Test {
protected:
    QString Path(const QString& name = "company.db") const { return dir_.filePath(name); }

    // What a refused open must leave exactly as it was: the folder's entries
    // and the bytes of the file.
    QStringList Take(const QString& path) const {
        QFile file(path);
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
               << QString::fromLatin1(bytes.toHex());
    }

    void Write(const QString& path, const QByteArray& bytes) const {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    void MakeCompany(const QString& path, const QString& afterwards = {}) const {
        const DatabasePtr db = OpenDatabase(path, OpenMode::Create);
        if (!afterwards.isEmpty()) db->ExecuteScript(afterwards);
    }

    // Opening must fail with a description containing expected and change nothing.
    void ExpectRefused(const QString& path, OpenMode mode, const QString& expected) const {
        const QStringList before = Take(path);
        try {
            OpenDatabase(path, mode);
            ADD_FAILURE() << "opened " << path.toStdString();
        } catch (const DbError& e) {
            EXPECT_TRUE(e.Description().contains(expected))
                << e.Description().toStdString() << " lacks " << expected.toStdString();
        }
        EXPECT_TRUE(Take(path) == before) << "refusing " << path.toStdString() << " changed something";
    }

    QTemporaryDir dir_;
};
}  // namespace

TEST_F(OpenDatabaseTest, RefusesFilesThatCannotBeUsedOrMadeWithoutWriting) {
    const QByteArray header("SQLite format 3\0", 16);
    const auto nothing = [](const QString&) {};
    const std::vector<std::tuple<const char*, OpenMode, std::function<void(const QString&)>, const char*>> cases{
        {"kept", OpenMode::Create, [this](const QString& p) { Write(p, "keep me"); }, "已经存在"},
        {"missing/new", OpenMode::Create, nothing, "不存在"},
        {"folder", OpenMode::Existing, [](const QString& p) { QDir().mkpath(p); }, "是文件夹"},
        {"empty", OpenMode::Existing, [this](const QString& p) { Write(p, {}); }, "是空的"},
        {"damaged", OpenMode::Existing, [&](const QString& p) { Write(p, header + QByteArray(4080, '\x5a')); },
         "不是公司数据库"},
        {"foreign", OpenMode::Existing,
         [](const QString& p) { SqliteDatabase::Open(p, true)->ExecuteScript("CREATE TABLE x (a);"); },
         "不是本系统的公司数据库"},
        {"newer", OpenMode::Existing,
         [this](const QString& p) {
             MakeCompany(p, "INSERT INTO t_SchemaVersion VALUES (99, '2030-01-01 00:00:00');");
         },
         "新版本的客户端"},
        {"older", OpenMode::Existing, [this](const QString& p) { MakeCompany(p, "DELETE FROM t_SchemaVersion;"); },
         "请先升级"},
    };
    for (const auto& [name, mode, make, expected] : cases) {
        SCOPED_TRACE(name);
        const QString path = Path(QString::fromLatin1(name) + ".db");
        make(path);
        ExpectRefused(path, mode, QString::fromUtf8(expected));
    }
    EXPECT_THROW(OpenDatabase("  "), DbError);
}

// Many desktops share the file: it keeps a write-ahead log.
TEST_F(OpenDatabaseTest, ACompanyFileOpensAgainUnlessAnotherProgramLocksIt) {
    EXPECT_EQ(OpenDatabase(Path(), OpenMode::Create)->Query("PRAGMA journal_mode")->Fields(0).Text(), "wal");
    for (OpenMode mode : {OpenMode::Existing, OpenMode::ReadOnly})
        EXPECT_EQ(SchemaVersion(*OpenDatabase(Path(), mode)), LatestSchemaVersion());
    const auto other = SqliteDatabase::Open(Path(), false);
    other->Query("PRAGMA journal_mode=DELETE");
    other->Execute("BEGIN EXCLUSIVE");
    ExpectRefused(Path(), OpenMode::Existing, "正被其他程序使用");
}

// Permissions do not bind root: there the checks run in a child process
// that has given up root for the unprivileged user nobody.
TEST_F(OpenDatabaseTest, RefusesReadOnlyAndUnreadableFilesWithoutWriting) {
    const QString readOnly = Path("read-only.db");
    const QString unreadable = Path("unreadable.db");
    MakeCompany(readOnly);
    MakeCompany(unreadable);
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    QFile::setPermissions(unreadable, QFileDevice::Permissions());
    const auto refusals = [&] {
        ExpectRefused(readOnly, OpenMode::Existing, "只读");
        ExpectRefused(unreadable, OpenMode::Existing, "无法读取");
    };
    if (geteuid() != 0) return refusals();
    QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                           QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        if (setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(2);
        refusals();
        _exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}
