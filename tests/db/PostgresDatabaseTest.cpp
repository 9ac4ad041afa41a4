#include "db/DbError.h"
#include "db/Migrations.h"
#include "db/OpenDatabase.h"
#include "db/PostgresDatabase.h"
#include "support/ScratchCompany.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
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
                "CREATE TABLE t (FID {AUTOID}, FName VARCHAR(80));")
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
