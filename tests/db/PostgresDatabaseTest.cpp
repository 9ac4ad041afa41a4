#include "db/DbError.h"
#include "db/Migrations.h"
#include "db/OpenDatabase.h"
#include "db/PostgresDatabase.h"
#include "support/ScratchCompany.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDate>
#include <QUrl>

using namespace qor;
using namespace qor::db;
using qor::test::ScratchCompany;
using qor::test::TestBackend;
using qor::test::TestServerUrl;

namespace {
class PostgresDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        QOR_SKIP_UNAVAILABLE(TestBackend::PostgreSql);
        place_ = std::make_unique<ScratchCompany>(TestBackend::PostgreSql);
        db_ = place_->Connect();
        db_->ExecuteScript(
            QStringLiteral(
                "CREATE TABLE t (FID {AUTOID}, FName VARCHAR(80), FQty NUMERIC(18,4), FRate REAL, FNote VARCHAR(80), "
                "FBig BIGINT, FFlag BOOLEAN);"
                "CREATE UNIQUE INDEX ux_t_Name ON t (FName);")
                .replace(QStringLiteral("{AUTOID}"), db_->SqlDialect().AutoIdColumn()));
    }

    QVariant Scalar(const QString& sql, const QVariantList& params = {}) {
        return db_->Query(sql, params)->Fields(0).Value();
    }

    // Ends the connection's session on the server, as a server restart or a
    // network failure would.
    void CutConnection() {
        const qint64 pid = Scalar(QStringLiteral("SELECT pg_backend_pid()")).toLongLong();
        PostgresDatabase::Open(TestServerUrl())->Query(QStringLiteral("SELECT pg_terminate_backend(?)"), {pid});
    }

    static DbFailure FailureOf(const std::function<void()>& run) {
        try {
            run();
        } catch (const DbError& e) {
            return e.Failure();
        }
        ADD_FAILURE() << "no error";
        return DbFailure::Other;
    }

    std::unique_ptr<ScratchCompany> place_;
    DatabasePtr db_;
};

QString WithUser(const QString& url, const QString& user, const QString& password) {
    QUrl changed(url);
    changed.setUserName(user);
    changed.setPassword(password);
    return changed.toString();
}

void ExpectRefusal(const QString& url, const QString& expected) {
    try {
        PostgresDatabase::Open(url);
        ADD_FAILURE() << "connected to " << url.toStdString();
    } catch (const DbError& e) {
        EXPECT_TRUE(e.Description().contains(expected))
            << e.Description().toStdString() << " lacks " << expected.toStdString();
        EXPECT_FALSE(e.Description().contains(QStringLiteral("wrong-secret")));
    }
}
}  // namespace

TEST(PostgresUrl, IsToldFromFilesAndShownWithoutItsPassword) {
    EXPECT_TRUE(IsServerConnection(QStringLiteral(" postgresql://erp@server/company")));
    EXPECT_TRUE(IsServerConnection(QStringLiteral("POSTGRES://erp@server/company")));
    EXPECT_FALSE(IsServerConnection(QStringLiteral("/data/postgresql/company.db")));
    EXPECT_EQ(UrlWithoutPassword(QStringLiteral("postgresql://erp:s3cr@t@db.local:5433/company?sslmode=require")),
              QStringLiteral("postgresql://erp@db.local:5433/company?sslmode=require"));
    EXPECT_EQ(UrlWithoutPassword(QStringLiteral("postgresql://erp@db.local:5433/company")),
              QStringLiteral("postgresql://erp@db.local:5433/company"));
    EXPECT_EQ(UrlWithoutPassword(QStringLiteral("postgresql://db.local:5433/company")),
              QStringLiteral("postgresql://db.local:5433/company"));
}

TEST_F(PostgresDatabaseTest, ReadsServerTypesNullsAndChineseText) {
    db_->Execute(QStringLiteral("INSERT INTO t (FName, FQty, FRate, FNote, FBig, FFlag) VALUES (?, ?, ?, ?, ?, ?)"),
                 {QStringLiteral("控制板 PCB-A"), 18, 0.5, QVariant(), qlonglong(1) << 40, true});
    db_->Execute(QStringLiteral("INSERT INTO t (FName, FQty) VALUES (?, ?)"), {QStringLiteral("001"), 2.5});

    const RecordsetPtr rs = db_->Query(QStringLiteral(
        "SELECT FID, FName, FQty, FRate, FNote, FBig, FFlag, FID + 1 AS FNext, 1.5 AS FHalf, 'x' AS FText "
        "FROM t ORDER BY FID"));
    ASSERT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(rs->Fields(QStringLiteral("FID")).Type(), FieldType::Integer);
    EXPECT_EQ(rs->Fields(QStringLiteral("FName")).Type(), FieldType::Text);
    EXPECT_EQ(rs->Fields(QStringLiteral("FQty")).Type(), FieldType::Double);
    EXPECT_EQ(rs->Fields(QStringLiteral("FRate")).Type(), FieldType::Double);
    EXPECT_EQ(rs->Fields(QStringLiteral("FNext")).Type(), FieldType::Integer);
    EXPECT_EQ(rs->Fields(QStringLiteral("FHalf")).Type(), FieldType::Double);
    EXPECT_EQ(rs->Fields(QStringLiteral("FText")).Type(), FieldType::Text);
    EXPECT_EQ(rs->Fields(QStringLiteral("FName")).Text(), QStringLiteral("控制板 PCB-A"));
    EXPECT_DOUBLE_EQ(rs->Fields(QStringLiteral("FQty")).Value().toDouble(), 18.0);
    EXPECT_EQ(rs->Fields(QStringLiteral("FQty")).Text(), QStringLiteral("18"));
    EXPECT_TRUE(rs->Fields(QStringLiteral("FNote")).IsNull());
    EXPECT_EQ(rs->Fields(QStringLiteral("FBig")).Value().toLongLong(), qlonglong(1) << 40);
    EXPECT_EQ(rs->Fields(QStringLiteral("FFlag")).Value().toInt(), 1);
    rs->MoveNext();
    EXPECT_EQ(rs->Fields(QStringLiteral("FName")).Text(), QStringLiteral("001"));
    EXPECT_DOUBLE_EQ(rs->Fields(QStringLiteral("FQty")).Value().toDouble(), 2.5);
    EXPECT_TRUE(rs->Fields(QStringLiteral("FRate")).IsNull());
    EXPECT_TRUE(rs->Fields(QStringLiteral("FFlag")).IsNull());
}

TEST_F(PostgresDatabaseTest, BindsParametersOfEveryKind) {
    const QString insert = QStringLiteral("INSERT INTO t (FName, FQty, FRate, FNote) VALUES (?, ?, ?, ?)");
    EXPECT_EQ(db_->Execute(insert, {QStringLiteral("a'b?"), true, 1.25, QDate(2026, 3, 12)}), 1);
    const qint64 first = db_->LastInsertId();
    EXPECT_EQ(db_->Execute(insert, {QString(), qlonglong(1) << 40, QVariant(), QStringLiteral("x")}), 1);
    EXPECT_EQ(db_->LastInsertId(), first + 1);

    const QString select = QStringLiteral("SELECT FName, FQty, FRate, FNote FROM t WHERE FID = ? AND '?' = '?'");
    RecordsetPtr rs = db_->Query(select, {first});
    EXPECT_EQ(rs->Fields(0).Text(), QStringLiteral("a'b?"));
    EXPECT_EQ(rs->Fields(1).Value().toInt(), 1);
    EXPECT_DOUBLE_EQ(rs->Fields(2).Value().toDouble(), 1.25);
    EXPECT_EQ(rs->Fields(3).Text(), QStringLiteral("2026-03-12"));
    rs = db_->Query(select, {first + 1});
    EXPECT_FALSE(rs->Fields(0).IsNull());
    EXPECT_EQ(rs->Fields(0).Text(), QString());
    EXPECT_DOUBLE_EQ(rs->Fields(1).Value().toDouble(), 1099511627776.0);

    EXPECT_EQ(db_->Execute(QStringLiteral("UPDATE t SET FNote = ?"), {QStringLiteral("y")}), 2);
    EXPECT_THROW(db_->Query(select, {}), DbError);
    EXPECT_THROW(db_->Query(select, {1, 2}), DbError);
    EXPECT_THROW(db_->Execute(QStringLiteral("DELETE FROM t; DROP TABLE t")), DbError);
    EXPECT_TRUE(db_->TableExists(QStringLiteral("T")));
}

TEST_F(PostgresDatabaseTest, FailuresSayWhatKindTheyAre) {
    db_->Execute(QStringLiteral("INSERT INTO t (FName) VALUES ('a')"));
    const QString bad = QStringLiteral("SELECT FNoSuchColumn FROM t");
    try {
        db_->Query(bad);
        FAIL() << "no error";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.Description().contains(QStringLiteral("fnosuchcolumn"))) << e.what();
        EXPECT_EQ(e.Statement(), bad);
        EXPECT_EQ(e.Failure(), DbFailure::Other);
    }
    EXPECT_EQ(FailureOf([&] { db_->Execute(QStringLiteral("INSERT INTO t (FName) VALUES ('a')")); }),
              DbFailure::UniqueViolation);
}

TEST_F(PostgresDatabaseTest, TransactionsRollBackUnlessCommittedAndNest) {
    {
        Transaction transaction(*db_);
        db_->Execute(QStringLiteral("INSERT INTO t (FName) VALUES ('gone')"));
    }
    {
        Transaction outer(*db_);
        db_->Execute(QStringLiteral("INSERT INTO t (FName) VALUES ('kept')"));
        {
            Transaction inner(*db_);
            db_->Execute(QStringLiteral("INSERT INTO t (FName) VALUES ('inner')"));
        }
        {
            Transaction inner(*db_);
            EXPECT_THROW(db_->Execute(QStringLiteral("INSERT INTO t (FName) VALUES ('kept')")), DbError);
        }
        {
            Transaction inner(*db_);
            db_->Execute(QStringLiteral("INSERT INTO t (FName) VALUES ('inner kept')"));
            inner.Commit();
        }
        outer.Commit();
    }
    const RecordsetPtr rs = db_->Query(QStringLiteral("SELECT FName FROM t ORDER BY FID"));
    ASSERT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(rs->Fields(0).Text(), QStringLiteral("kept"));
    rs->MoveNext();
    EXPECT_EQ(rs->Fields(0).Text(), QStringLiteral("inner kept"));
    EXPECT_THROW(db_->Commit(), DbError);
}

// The server turns COMMIT of a transaction that a failed statement spoiled
// into ROLLBACK; the caller must hear that nothing was saved.
TEST_F(PostgresDatabaseTest, CommitOfASpoiledTransactionFails) {
    db_->Begin();
    db_->Execute(QStringLiteral("INSERT INTO t (FName) VALUES ('lost')"));
    EXPECT_THROW(db_->Query(QStringLiteral("SELECT FNoSuchColumn FROM t")), DbError);
    EXPECT_THROW(db_->Commit(), DbError);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM t")).toInt(), 0);
    db_->Execute(QStringLiteral("INSERT INTO t (FName) VALUES ('next')"));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM t")).toInt(), 1);
}

TEST_F(PostgresDatabaseTest, ALostConnectionFailsOneStatementAndTheNextReconnects) {
    CutConnection();
    try {
        db_->Query(QStringLiteral("SELECT 1"));
        FAIL() << "no error";
    } catch (const DbError& e) {
        EXPECT_EQ(e.Failure(), DbFailure::ConnectionLost);
        EXPECT_TRUE(e.Description().contains(QStringLiteral("连接已经断开"))) << e.what();
    }
    EXPECT_EQ(Scalar(QStringLiteral("SELECT 2")).toInt(), 2);
}

TEST_F(PostgresDatabaseTest, ATransactionCutOffStaysRefusedUntilRolledBack) {
    {
        Transaction transaction(*db_);
        db_->Execute(QStringLiteral("INSERT INTO t (FName) VALUES ('cut off')"));
        CutConnection();
        EXPECT_EQ(FailureOf([&] { db_->Execute(QStringLiteral("INSERT INTO t (FName) VALUES ('b')")); }),
                  DbFailure::ConnectionLost);
        // Reconnecting here would run the rest of the transaction's work on its own.
        EXPECT_EQ(FailureOf([&] { db_->Execute(QStringLiteral("INSERT INTO t (FName) VALUES ('c')")); }),
                  DbFailure::ConnectionLost);
    }
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM t")).toInt(), 0);
}

TEST_F(PostgresDatabaseTest, TransactSqlFunctionsComeWithTheCompanySchema) {
    MigrateDatabase(*db_);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT ISNULL(FName,'') FROM t UNION ALL SELECT ISNULL(NULL, '无')")).toString(),
              QStringLiteral("无"));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT isnull (NULL, 7) + 1")).toInt(), 8);
    EXPECT_DOUBLE_EQ(
        Scalar(QStringLiteral("SELECT ISNULL(FQty, 0) FROM (SELECT CAST(NULL AS NUMERIC) AS FQty) q")).toDouble(), 0.0);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT CHARINDEX('b', 'abc')")).toInt(), 2);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT CharIndex('B', 'abc')")).toInt(), 2);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT CHARINDEX('批', '物料批号')")).toInt(), 3);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT CHARINDEX('x', 'abc')")).toInt(), 0);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT CHARINDEX('', 'abc')")).toInt(), 0);
    EXPECT_TRUE(Scalar(QStringLiteral("SELECT CHARINDEX(NULL, 'abc')")).isNull());
}

TEST_F(PostgresDatabaseTest, StartUpRefusalsSayWhatIsWrong) {
    const QString url = TestServerUrl();
    QUrl unknown(url);
    unknown.setPath(QStringLiteral("/qor_no_such_company"));
    ExpectRefusal(unknown.toString(), QStringLiteral("没有名为“qor_no_such_company”的数据库"));
    QUrl unreachable(url);
    unreachable.setPort(1);
    ExpectRefusal(unreachable.toString(), QStringLiteral("无法连接数据库服务器 127.0.0.1:1"));
    if (Scalar(QStringLiteral("SELECT COUNT(*) FROM pg_roles WHERE rolname = 'qor_password_check'")).toInt() == 0)
        GTEST_SKIP() << "the test server has no role that must give a password";
    ExpectRefusal(WithUser(url, QStringLiteral("qor_password_check"), QStringLiteral("wrong-secret")),
                  QStringLiteral("用户名“qor_password_check”或密码不正确"));
    EXPECT_NO_THROW(
        PostgresDatabase::Open(WithUser(url, QStringLiteral("qor_password_check"), QStringLiteral("qor-check"))));
}

TEST_F(PostgresDatabaseTest, CompanyDatabasesAreCreatedOnTheServerAndNeverOverwritten) {
    QUrl url(TestServerUrl());
    const QString name = QStringLiteral("qor_created_%1").arg(QCoreApplication::applicationPid());
    url.setPath(u'/' + name);
    {
        const DatabasePtr created = OpenDatabase(url.toString(), OpenMode::Create);
        EXPECT_EQ(created->Backend(), QStringLiteral("postgresql"));
        EXPECT_EQ(SchemaVersion(*created), LatestSchemaVersion());
        EXPECT_EQ(OpenDatabase(url.toString(), OpenMode::Existing)->ConnectionText(), url.toString());
        try {
            OpenDatabase(url.toString(), OpenMode::Create);
            ADD_FAILURE() << "created twice";
        } catch (const DbError& e) {
            EXPECT_TRUE(e.Description().contains(QStringLiteral("不会覆盖"))) << e.what();
        }
    }
    PostgresDatabase::Open(TestServerUrl())->Execute(QStringLiteral("DROP DATABASE ") + name);

    try {
        OpenDatabase(place_->ConnectionText(), OpenMode::Existing);
        ADD_FAILURE() << "opened a database without the company schema";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.Description().contains(QStringLiteral("不是本系统的公司数据库"))) << e.what();
    }
}
