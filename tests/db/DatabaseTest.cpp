#include "platform/db/DbError.h"
#include "platform/db/Migrations.h"
#include "platform/db/OpenDatabase.h"
#include "platform/db/PostgresDatabase.h"
#include "tests/support/QueryResults.h"
#include "tests/support/ScratchCompany.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDate>
#include <QUrl>
#include <functional>

using namespace qor;
using namespace qor::db;
using qor::test::ScratchCompany;
using qor::test::TestBackend;
using qor::test::TestServerUrl;

namespace {

// A connection of one back end to a place of its own that holds a table t.
class Connection : public ::testing::Test {
protected:
    void Open(TestBackend backend) {
        QOR_SKIP_UNAVAILABLE(backend);
        place_ = std::make_unique<ScratchCompany>(backend);
        db_ = place_->Connect();
        db_->ExecuteScript(
            QStringLiteral(
                "CREATE TABLE t (FID {AUTOID}, FName VARCHAR(80), FQty NUMERIC(18,4), FRate REAL, FNote VARCHAR(80), "
                "FBig BIGINT, FFlag BOOLEAN);"
                "CREATE UNIQUE INDEX ux_t_Name ON t (FName);")
                .replace("{AUTOID}", db_->SqlDialect().AutoIdColumn()));
    }

    QVariant Scalar(const QString& sql) { return test::Scalar(*db_, sql); }

    // The error the action threw; a failure of the test when it threw none.
    static DbError ErrorOf(const std::function<void()>& action) {
        try {
            action();
        } catch (const DbError& e) {
            return e;
        }
        ADD_FAILURE() << "no error";
        return DbError(QString());
    }

    std::unique_ptr<ScratchCompany> place_;
    DatabasePtr db_;
};

// What every back end must answer alike.
class DatabaseTest : public Connection, public ::testing::WithParamInterface<TestBackend> {
protected:
    void SetUp() override { Open(GetParam()); }
};

class PostgresDatabaseTest : public Connection {
protected:
    void SetUp() override { Open(TestBackend::PostgreSql); }

    // Ends the connection's session on the server, as a server restart or a
    // network failure would.
    static void CutConnection(Database& db) {
        PostgresDatabase::Open(TestServerUrl())
            ->Query("SELECT pg_terminate_backend(?)", {test::Scalar(db, "SELECT pg_backend_pid()")});
    }
};

}  // namespace

QOR_INSTANTIATE_FOR_BACKENDS(DatabaseTest);

// Values go in as parameters and come back typed by their column or expression.
TEST_P(DatabaseTest, BindsAndReadsValuesOfEveryKindAndTellsFailures) {
    const QString insert = "INSERT INTO t (FName, FQty, FRate, FNote, FBig, FFlag) VALUES (?, ?, ?, ?, ?, ?)";
    EXPECT_EQ(db_->Execute(insert, {"控制板 a'b?", 18, 1.25, QDate(2026, 3, 12), qlonglong(1) << 40, true}), 1);
    const qint64 first = db_->LastInsertId();
    EXPECT_EQ(db_->Execute(insert, {QString(), 2.5, QVariant(), "001", QVariant(), QVariant()}), 1);
    EXPECT_EQ(db_->LastInsertId(), first + 1);

    const RecordsetPtr rs = db_->Query(
        "SELECT FID, FName, FQty, FRate, FNote, FBig, FFlag, FID + 1 AS FNext, 1.5 AS FHalf, 'x' AS FText "
        "FROM t /* ? */ WHERE FID >= ? AND '?' = '?' -- ?\n ORDER BY FID",
        {first});
    ASSERT_EQ(rs->RecordCount(), 2);
    const std::pair<const char*, FieldType> types[] = {{"fid", FieldType::Integer},   {"FName", FieldType::Text},
                                                       {"FQty", FieldType::Double},   {"FRate", FieldType::Double},
                                                       {"FNext", FieldType::Integer}, {"FHalf", FieldType::Double},
                                                       {"FText", FieldType::Text}};
    for (const auto& [name, type] : types) EXPECT_EQ(rs->Fields(name).Type(), type) << name;
    // An empty text is not a null; a text of digits stays text.
    EXPECT_EQ(test::Rows(*db_, "SELECT FName, FQty, FRate, FNote, FBig, FFlag FROM t ORDER BY FID"),
              (QStringList{"控制板 a'b?|18|1.25|2026-03-12|1099511627776|1", "|2.5||001||"}));
    rs->MoveNext();
    EXPECT_FALSE(rs->Fields("FName").IsNull());

    EXPECT_EQ(db_->Execute("UPDATE t SET FNote = ?", {"y"}), 2);
    // A failure says what kind it is and carries the statement.
    const QString bad = "SELECT FNoSuchColumn FROM t";
    const DbError e = ErrorOf([&] { db_->Query(bad); });
    EXPECT_TRUE(e.Description().contains("FNoSuchColumn", Qt::CaseInsensitive)) << e.what();
    EXPECT_EQ(e.Statement(), bad);
    EXPECT_EQ(e.Failure(), DbFailure::Other);
    EXPECT_THROW(db_->Query("SELECT FName FROM t WHERE FID = ?"), DbError);
    EXPECT_THROW(db_->Query("SELECT FName FROM t WHERE FID = ?", {1, 2}), DbError);
    EXPECT_THROW(db_->Execute("DELETE FROM t; DROP TABLE t"), DbError);
    EXPECT_TRUE(db_->TableExists("T"));
}

// A bulk load keeps every value as it is, text that COPY would otherwise
// read as its own separators and escapes included; a refused row fails it.
TEST_P(DatabaseTest, AppendedRowsKeepTheirValues) {
    const std::vector<QVariantList> rows{
        {"tab\tand\nline\r", 1.5, QVariant(), qlonglong(7)},
        {"back\\slash \\N 控制板", QVariant(), "", QVariant()},
    };
    db_->AppendRows("t", {"FName", "FQty", "FNote", "FBig"}, rows);
    EXPECT_EQ(test::Rows(*db_, "SELECT FName, FQty, FNote IS NULL, FNote, FBig FROM t ORDER BY FID"),
              (QStringList{"tab\tand\nline\r|1.5|1||7", "back\\slash \\N 控制板||0||"}));
    EXPECT_THROW(db_->AppendRows("t", {"FName"}, {{"again"}, {"again"}}), DbError);
}

TEST_P(DatabaseTest, TransactionsRollBackUnlessCommittedAndNest) {
    const auto insert = [this](const char* name) { db_->Execute("INSERT INTO t (FName) VALUES (?)", {name}); };
    {
        Transaction transaction(*db_);
        insert("gone");
    }
    {
        Transaction outer(*db_);
        insert("kept");
        {
            Transaction inner(*db_);
            insert("inner");
            EXPECT_THROW(insert("kept"), DbError);
        }
        {
            Transaction inner(*db_);
            insert("inner kept");
            inner.Commit();
        }
        outer.Commit();
    }
    EXPECT_EQ(test::Rows(*db_, "SELECT FName FROM t ORDER BY FID"), (QStringList{"kept", "inner kept"}));
    EXPECT_THROW(db_->Commit(), DbError);
}

// The module's SQL Server spellings, in statements and in scripts; ISNULL
// after a column stays the operator of that name.
TEST_P(DatabaseTest, TheCompanySchemaBringsTransactSqlFunctionsAndScriptsSplit) {
    MigrateDatabase(*db_);
    const std::pair<const char*, const char*> answers[] = {
        {"SELECT ISNULL(FName,'') FROM t UNION ALL SELECT ISNULL(NULL, '无')", "无"},
        {"SELECT CharIndex('B', 'abc')", "2"},
        {"SELECT CHARINDEX('批', '物料批号')", "3"},
        {"SELECT CHARINDEX('x', 'abc')", "0"},
        {"SELECT CHARINDEX('', 'abc')", "0"},
    };
    for (const auto& [sql, answer] : answers) EXPECT_EQ(Scalar(sql).toString(), QString::fromUtf8(answer)) << sql;
    EXPECT_TRUE(Scalar("SELECT CHARINDEX(NULL, 'abc')").isNull());

    db_->Execute("INSERT INTO t (FName, FNote) VALUES ('a', '3,16,'), ('b', '5,'), (NULL, NULL)");
    db_->ExecuteScript("UPDATE t SET FNote = ISNULL(FName, '无');");
    EXPECT_EQ(test::Rows(*db_, "SELECT FNote FROM t ORDER BY FID"), (QStringList{"a", "b", "无"}));
    // Scripts split outside literals and comments.
    EXPECT_EQ(db_->Execute("DELETE FROM t;  -- all of them"), 3);
    db_->ExecuteScript("INSERT INTO t (FName) VALUES ('a;b'); -- ;\nINSERT INTO t (FName) VALUES ('c');");
    EXPECT_EQ(test::Rows(*db_, "SELECT FName FROM t ORDER BY FID"), (QStringList{"a;b", "c"}));

    // Auto numbers of the schema's tables are never handed out twice.
    const QString insert = "INSERT INTO ICBom (FBOMNumber, FItemID, FBomType) VALUES (?, 1, 3)";
    db_->Execute(insert, {"BOM-1"});
    const qint64 deleted = db_->LastInsertId();
    db_->Execute("DELETE FROM ICBom WHERE FInterID = ?", {deleted});
    db_->Execute(insert, {"BOM-2"});
    EXPECT_GT(db_->LastInsertId(), deleted);
}

// The server turns COMMIT of a transaction that a failed statement spoiled
// into ROLLBACK; the caller must hear that nothing was saved.
TEST_F(PostgresDatabaseTest, SpoiledOrCutOffTransactionsSaveNothing) {
    db_->Begin();
    db_->Execute("INSERT INTO t (FName) VALUES ('lost')");
    EXPECT_THROW(db_->Query("SELECT FNoSuchColumn FROM t"), DbError);
    EXPECT_THROW(db_->Commit(), DbError);
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM t").toInt(), 0);
    db_->Execute("INSERT INTO t (FName) VALUES ('next')");

    // A transaction cut off stays refused until rolled back.
    {
        Transaction transaction(*db_);
        db_->Execute("INSERT INTO t (FName) VALUES ('cut off')");
        CutConnection(*db_);
        // Reconnecting for the second would run the rest of the transaction's work on its own.
        for (const char* name : {"b", "c"})
            EXPECT_EQ(ErrorOf([&] { db_->Execute("INSERT INTO t (FName) VALUES (?)", {name}); }).Failure(),
                      DbFailure::ConnectionLost);
    }
    EXPECT_EQ(test::Rows(*db_, "SELECT FName FROM t"), QStringList{"next"});
}

// A server, database or role that turns standard_conforming_strings off
// would let a backslash end a doubled-quote literal: every session, the first
// and one after a reconnect, runs with the module's settings.
TEST_F(PostgresDatabaseTest, EverySessionRunsWithTheModulesSettings) {
    const QString url = TestServerUrl() + (TestServerUrl().contains(u'?') ? "&" : "?") +
                        "options=-cstandard_conforming_strings%3Doff%20-cclient_encoding%3DLATIN1";
    const auto db = PostgresDatabase::Open(url);
    // The filter dialog's condition for a typed value \' OR 1=1 --, quotes doubled.
    const QString typed = "\\' OR 1=1 --";
    const QString literal = "'" + QString(typed).replace("'", "''") + "'";
    for (int session = 0; session < 2; ++session) {
        SCOPED_TRACE(session);
        EXPECT_EQ(db->Query("SHOW standard_conforming_strings")->Fields(0).Text(), "on");
        EXPECT_EQ(db->Query("SELECT " + literal + " AS v")->Fields(0).Text(), typed);
        EXPECT_EQ(db->Query("SELECT '批号' AS v")->Fields(0).Text(), "批号");
        CutConnection(*db);
        EXPECT_THROW(db->Query("SELECT 1"), DbError);
    }
}

TEST_F(PostgresDatabaseTest, CompanyDatabasesAreCreatedOnTheServerAndNeverOverwritten) {
    QUrl url(TestServerUrl());
    const QString name = QStringLiteral("qor_created_%1").arg(QCoreApplication::applicationPid());
    url.setPath(u'/' + name);
    {
        const DatabasePtr created = OpenDatabase(url.toString(), OpenMode::Create);
        EXPECT_EQ(SchemaVersion(*created), LatestSchemaVersion());
        EXPECT_EQ(OpenDatabase(url.toString(), OpenMode::Existing)->ConnectionText(), url.toString());
        // A company without users or items, as a failed creation leaves it, is taken again.
        EXPECT_EQ(SchemaVersion(*OpenDatabase(url.toString(), OpenMode::Create)), LatestSchemaVersion());
        created->Execute("INSERT INTO t_Item (FItemClassID, FNumber, FName) VALUES (4, '01', '成品')");
        EXPECT_TRUE(
            ErrorOf([&] { OpenDatabase(url.toString(), OpenMode::Create); }).Description().contains("不会覆盖"));
    }
    const auto server = PostgresDatabase::Open(TestServerUrl());
    server->Execute("DROP DATABASE " + name);
    server->Execute(QStringLiteral("DROP ROLE \"%1/\"").arg(name));
    EXPECT_TRUE(ErrorOf([&] { OpenDatabase(place_->ConnectionText(), OpenMode::Existing); })
                    .Description()
                    .contains("不是本系统的公司数据库"));
}

// A failing migration leaves no trace of itself; the others run only when pending.
TEST_P(DatabaseTest, MigrationsRunOnlyWhenPendingAndWhole) {
    EXPECT_THROW(MigrateDatabase(*db_, {{1, "CREATE TABLE a (FID INTEGER); CREATE TABLE b ("}}), DbError);
    EXPECT_FALSE(db_->TableExists("a"));
    EXPECT_EQ(SchemaVersion(*db_), 0);
    const std::vector<Migration> first{{1, "CREATE TABLE a (FID {AUTOID});"}};
    std::vector<Migration> both = first;
    both.push_back({2, "CREATE TABLE b (FID INTEGER); INSERT INTO b VALUES (7);"});

    EXPECT_EQ(MigrateDatabase(*db_, first), 1);
    EXPECT_EQ(MigrateDatabase(*db_, both), 1);
    EXPECT_EQ(SchemaVersion(*db_), 2);
    EXPECT_EQ(Scalar("SELECT FID FROM b").toInt(), 7);
    EXPECT_EQ(MigrateDatabase(*db_, both), 0);
}
