#include "db/DbError.h"
#include "db/Migrations.h"
#include "db/OpenDatabase.h"
#include "db/SqliteDatabase.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>

using namespace qor;
using namespace qor::db;

namespace {
// What a refused open must leave exactly as it was: the folder's entries and
// the bytes of the file.
struct Snapshot {
    QStringList entries;
    QByteArray bytes;
    bool operator==(const Snapshot&) const = default;
};

class OpenDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString Path(const QString& name = QStringLiteral("company.db")) const { return dir_.filePath(name); }

    Snapshot Take(const QString& path) const {
        QFile file(path);
        QByteArray bytes;
        if (file.open(QIODevice::ReadOnly)) bytes = file.readAll();
        return {QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), bytes};
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
        const Snapshot before = Take(path);
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

TEST_F(OpenDatabaseTest, CreatesACompanyFileThatOpensAgain) {
    {
        const DatabasePtr db = OpenDatabase(Path(), OpenMode::Create);
        EXPECT_EQ(SchemaVersion(*db), LatestSchemaVersion());
        EXPECT_EQ(db->Query(QStringLiteral("PRAGMA journal_mode"))->Fields(0).Text(), QStringLiteral("wal"));
        db->Execute(QStringLiteral("INSERT INTO t_SystemProfile (FCategory, FKey, FValue) VALUES ('IC', 'K', '1')"));
    }
    for (OpenMode mode : {OpenMode::Existing, OpenMode::Upgrade}) {
        const DatabasePtr db = OpenDatabase(Path(), mode);
        EXPECT_EQ(db->Query(QStringLiteral("SELECT FValue FROM t_SystemProfile"))->Fields(0).Text(),
                  QStringLiteral("1"));
        EXPECT_EQ(db->ConnectionText(), Path());
        EXPECT_EQ(db->Backend(), QStringLiteral("sqlite"));
    }
}

TEST_F(OpenDatabaseTest, CreateNeverOverwrites) {
    Write(Path(), "keep me");
    ExpectRefused(Path(), OpenMode::Create, QStringLiteral("已经存在"));
    MakeCompany(Path(QStringLiteral("other.db")));
    ExpectRefused(Path(QStringLiteral("other.db")), OpenMode::Create, QStringLiteral("已经存在"));
    ExpectRefused(Path(QStringLiteral("missing/new.db")), OpenMode::Create, QStringLiteral("不存在"));
}

TEST_F(OpenDatabaseTest, RefusesFilesThatAreNotUsableCompanyDatabasesWithoutWriting) {
    struct Case {
        const char* name;
        std::function<void(const QString&)> make;
        const char* expected;
    };
    const QByteArray header("SQLite format 3\0", 16);
    const std::vector<Case> cases{
        {"missing", [](const QString&) {}, "不存在"},
        {"folder", [](const QString& p) { QDir().mkpath(p); }, "是文件夹"},
        {"empty", [this](const QString& p) { Write(p, {}); }, "是空的"},
        {"text", [this](const QString& p) { Write(p, QByteArray("物料代码,批号\n").repeated(200)); }, "不是公司数据库"},
        {"damaged", [&](const QString& p) { Write(p, header + QByteArray(4080, '\x5a')); }, "不是公司数据库"},
        {"foreign",
         [](const QString& p) { SqliteDatabase::Open(p, true)->ExecuteScript(QStringLiteral("CREATE TABLE x (a);")); },
         "不是本系统的公司数据库"},
        {"newer",
         [this](const QString& p) {
             MakeCompany(p, QStringLiteral("INSERT INTO t_SchemaVersion VALUES (99, '2030-01-01 00:00:00');"));
         },
         "新版本的客户端"},
        {"older", [this](const QString& p) { MakeCompany(p, QStringLiteral("DELETE FROM t_SchemaVersion;")); },
         "请先升级"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = Path(QString::fromLatin1(c.name) + QStringLiteral(".db"));
        c.make(path);
        ExpectRefused(path, OpenMode::Existing, QString::fromUtf8(c.expected));
    }
    ExpectRefused(Path(QStringLiteral("foreign.db")), OpenMode::Upgrade, QStringLiteral("不是本系统的公司数据库"));
    ExpectRefused(Path(QStringLiteral("newer.db")), OpenMode::Upgrade, QStringLiteral("新版本的客户端"));
}

TEST_F(OpenDatabaseTest, RefusesReadOnlyAndUnreadableFilesWithoutWriting) {
    MakeCompany(Path());
    QFile::setPermissions(Path(), QFile::ReadOwner | QFile::ReadUser);
    if (QFileInfo(Path()).isWritable()) GTEST_SKIP() << "the permissions do not bind this user (root)";
    ExpectRefused(Path(), OpenMode::Existing, QStringLiteral("只读"));
    QFile::setPermissions(Path(), QFileDevice::Permissions());
    ExpectRefused(Path(), OpenMode::Existing, QStringLiteral("无法读取"));
    QFile::setPermissions(Path(), QFile::ReadOwner | QFile::WriteOwner);
}

TEST_F(OpenDatabaseTest, RefusesABlankName) { EXPECT_THROW(OpenDatabase(QStringLiteral("  ")), DbError); }
