#include "db/DbError.h"
#include "db/SqliteDatabase.h"

#include <gtest/gtest.h>
#include <QDate>
#include <QTemporaryDir>

using namespace qor;
using namespace qor::db;

namespace {
class SqliteDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        db_ = SqliteDatabase::Open(dir_.filePath(QStringLiteral("company.db")), true);
        db_->ExecuteScript(QStringLiteral(
            "CREATE TABLE t (FID INTEGER PRIMARY KEY AUTOINCREMENT, FName VARCHAR(80), FQty NUMERIC(18,4), "
            "FRate REAL, FNote VARCHAR(80));"));
    }

    QVariant Scalar(const QString& sql, const QVariantList& params = {}) {
        const RecordsetPtr rs = db_->Query(sql, params);
        return rs->Fields(0).Value();
    }

    QTemporaryDir dir_;
    std::shared_ptr<SqliteDatabase> db_;
};
}  // namespace

TEST_F(SqliteDatabaseTest, ReadsDeclaredTypesNullsAndChineseText) {
    db_->Execute(QStringLiteral("INSERT INTO t (FName, FQty, FRate, FNote) VALUES (?, ?, ?, ?)"),
                 {QStringLiteral("控制板 PCB-A"), 18, 0.5, QVariant()});
    db_->Execute(QStringLiteral("INSERT INTO t (FName, FQty, FRate, FNote) VALUES (?, ?, ?, ?)"),
                 {QStringLiteral("001"), 2.5, QVariant(), QStringLiteral("O'Neil")});

    const RecordsetPtr rs = db_->Query(QStringLiteral("SELECT FID, FName, FQty, FRate, FNote FROM t ORDER BY FID"));
    ASSERT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(rs->Fields(QStringLiteral("fid")).Type(), FieldType::Integer);
    EXPECT_EQ(rs->Fields(QStringLiteral("FName")).Type(), FieldType::Text);
    EXPECT_EQ(rs->Fields(QStringLiteral("FQty")).Type(), FieldType::Double);
    EXPECT_EQ(rs->Fields(QStringLiteral("FName")).Text(), QStringLiteral("控制板 PCB-A"));
    EXPECT_DOUBLE_EQ(rs->Fields(QStringLiteral("FQty")).Value().toDouble(), 18.0);
    EXPECT_TRUE(rs->Fields(QStringLiteral("FNote")).IsNull());
    EXPECT_EQ(rs->Fields(QStringLiteral("FNote")).Text(), QString());
    rs->MoveNext();
    EXPECT_EQ(rs->Fields(QStringLiteral("FName")).Text(), QStringLiteral("001"));  // text stays text
    EXPECT_DOUBLE_EQ(rs->Fields(QStringLiteral("FQty")).Value().toDouble(), 2.5);
    EXPECT_TRUE(rs->Fields(QStringLiteral("FRate")).IsNull());
    EXPECT_EQ(rs->Fields(QStringLiteral("FNote")).Text(), QStringLiteral("O'Neil"));
}

TEST_F(SqliteDatabaseTest, ExpressionColumnsTakeTheTypeOfTheirValues) {
    const RecordsetPtr rs =
        db_->Query(QStringLiteral("SELECT NULL AS FMixed, 1 + 1 AS FSum, 1.5 AS FHalf, 4294967296 * 4 AS FBig "
                                  "UNION ALL SELECT '批号', 3, 2, 0"));
    ASSERT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(rs->Fields(QStringLiteral("FMixed")).Type(), FieldType::Text);
    EXPECT_TRUE(rs->Fields(QStringLiteral("FMixed")).IsNull());
    EXPECT_EQ(rs->Fields(QStringLiteral("FSum")).Type(), FieldType::Integer);
    EXPECT_EQ(rs->Fields(QStringLiteral("FHalf")).Type(), FieldType::Double);
    EXPECT_EQ(rs->Fields(QStringLiteral("FBig")).Value().toLongLong(), 17179869184LL);
    rs->MoveNext();
    EXPECT_EQ(rs->Fields(QStringLiteral("FMixed")).Text(), QStringLiteral("批号"));
    EXPECT_DOUBLE_EQ(rs->Fields(QStringLiteral("FHalf")).Value().toDouble(), 2.0);
}

TEST_F(SqliteDatabaseTest, BindsParametersOfEveryKindAndReusesStatements) {
    const QString insert = QStringLiteral("INSERT INTO t (FName, FQty, FRate, FNote) VALUES (?, ?, ?, ?)");
    EXPECT_EQ(db_->Execute(insert, {QStringLiteral("a'b"), true, 1.25, QDate(2026, 3, 12)}), 1);
    EXPECT_EQ(db_->LastInsertId(), 1);
    EXPECT_EQ(db_->Execute(insert, {QString(), qlonglong(1) << 40, QVariant(), QStringLiteral("x")}), 1);
    EXPECT_EQ(db_->LastInsertId(), 2);

    const QString select = QStringLiteral("SELECT FName, FQty, FRate, FNote FROM t WHERE FID = ?");
    RecordsetPtr rs = db_->Query(select, {1});
    EXPECT_EQ(rs->Fields(0).Text(), QStringLiteral("a'b"));
    EXPECT_EQ(rs->Fields(1).Value().toInt(), 1);
    EXPECT_DOUBLE_EQ(rs->Fields(2).Value().toDouble(), 1.25);
    EXPECT_EQ(rs->Fields(3).Text(), QStringLiteral("2026-03-12"));
    rs = db_->Query(select, {2});
    EXPECT_FALSE(rs->Fields(0).IsNull());  // an empty text is not a null
    EXPECT_EQ(rs->Fields(0).Text(), QString());
    EXPECT_DOUBLE_EQ(rs->Fields(1).Value().toDouble(), 1099511627776.0);
    EXPECT_TRUE(rs->Fields(2).IsNull());

    EXPECT_EQ(db_->Execute(QStringLiteral("UPDATE t SET FNote = ?"), {QStringLiteral("y")}), 2);
    EXPECT_THROW(db_->Query(select, {}), DbError);
    EXPECT_THROW(db_->Query(select, {1, 2}), DbError);
}

TEST_F(SqliteDatabaseTest, IsNullCallsRunAsIfNull) {
    db_->Execute(QStringLiteral("INSERT INTO t (FName) VALUES (NULL)"));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT ISNULL(FName,'') AS FName FROM t")).toString(), QString());
    EXPECT_FALSE(Scalar(QStringLiteral("SELECT isnull (FName, 'x') FROM t")).isNull());
    db_->ExecuteScript(QStringLiteral("UPDATE t SET FNote = ISNULL(FName, '无');"));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT FNote FROM t")).toString(), QStringLiteral("无"));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM t WHERE FName ISNULL")).toInt(), 1);
}

TEST_F(SqliteDatabaseTest, CharIndexFollowsTransactSql) {
    EXPECT_EQ(Scalar(QStringLiteral("SELECT CHARINDEX('b', 'abc')")).toInt(), 2);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT CharIndex('x', 'abc')")).toInt(), 0);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT CHARINDEX('批', '物料批号')")).toInt(), 3);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT CHARINDEX('B', 'abc')")).toInt(), 2);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT CHARINDEX('a', 'banana', 3)")).toInt(), 4);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT CHARINDEX('', 'abc')")).toInt(), 0);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT CHARINDEX('abcd', 'abc')")).toInt(), 0);
    EXPECT_TRUE(Scalar(QStringLiteral("SELECT CHARINDEX(NULL, 'abc')")).isNull());
    EXPECT_EQ(Scalar(QStringLiteral("SELECT CHARINDEX(16, '1,16,')")).toInt(), 3);

    db_->Execute(QStringLiteral("INSERT INTO t (FName, FNote) VALUES ('a', '3,16,'), ('b', '5,')"));
    const RecordsetPtr rs = db_->Query(QStringLiteral("SELECT FName FROM t t9 WHERE  CharIndex('16',t9.FNote)>0 "));
    ASSERT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->Fields(0).Text(), QStringLiteral("a"));
}

TEST_F(SqliteDatabaseTest, TransactionsRollBackUnlessCommittedAndNest) {
    {
        Transaction transaction(*db_);
        db_->Execute(QStringLiteral("INSERT INTO t (FName) VALUES ('gone')"));
    }
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM t")).toInt(), 0);

    {
        Transaction outer(*db_);
        db_->Execute(QStringLiteral("INSERT INTO t (FName) VALUES ('kept')"));
        {
            Transaction inner(*db_);
            db_->Execute(QStringLiteral("INSERT INTO t (FName) VALUES ('inner')"));
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

TEST_F(SqliteDatabaseTest, FailuresCarryTheDatabaseAnswerAndTheStatement) {
    const QString bad = QStringLiteral("SELECT FNoSuchColumn FROM t");
    try {
        db_->Query(bad);
        FAIL() << "no error";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.Description().contains(QStringLiteral("FNoSuchColumn"))) << e.what();
        EXPECT_EQ(e.Statement(), bad);
    }
    EXPECT_THROW(db_->Execute(QStringLiteral("DELETE FROM t; DROP TABLE t")), DbError);
    EXPECT_TRUE(db_->TableExists(QStringLiteral("T")));
    EXPECT_EQ(db_->Execute(QStringLiteral("DELETE FROM t;  -- all of them")), 0);

    db_->ExecuteScript(
        QStringLiteral("INSERT INTO t (FName) VALUES ('a;b'); -- ;\nINSERT INTO t (FName) VALUES ('c');"));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM t")).toInt(), 2);
    EXPECT_THROW(
        db_->ExecuteScript(QStringLiteral("INSERT INTO t (FName) VALUES ('d'); INSERT INTO nowhere VALUES (1);")),
        DbError);
    EXPECT_FALSE(db_->TableExists(QStringLiteral("nowhere")));
}

TEST_F(SqliteDatabaseTest, BulkLoadKeepsTheJournalInMemoryAndRestoresIt) {
    db_->UseWriteAheadLog();
    db_->SetBulkLoad(true);
    EXPECT_EQ(Scalar(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("memory"));
    db_->SetBulkLoad(false);
    EXPECT_EQ(Scalar(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("wal"));
    EXPECT_EQ(Scalar(QStringLiteral("PRAGMA synchronous")).toInt(), 1);
}
