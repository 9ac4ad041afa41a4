#include "db/DbError.h"
#include "db/SqliteDatabase.h"

#include <gtest/gtest.h>
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

TEST_F(SqliteDatabaseTest, IsNullCallsRunAsIfNull) {
    db_->Execute(QStringLiteral("INSERT INTO t (FName) VALUES (NULL)"));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT ISNULL(FName,'') AS FName FROM t")).toString(), QString());
    EXPECT_FALSE(Scalar(QStringLiteral("SELECT isnull (FName, 'x') FROM t")).isNull());
    db_->ExecuteScript(QStringLiteral("UPDATE t SET FNote = ISNULL(FName, '无');"));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT FNote FROM t")).toString(), QStringLiteral("无"));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM t WHERE FName ISNULL")).toInt(), 1);
}

TEST_F(SqliteDatabaseTest, CharIndexTakesAStartAndNumbers) {
    EXPECT_EQ(Scalar(QStringLiteral("SELECT CHARINDEX('a', 'banana', 3)")).toInt(), 4);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT CHARINDEX(16, '1,16,')")).toInt(), 3);
}

TEST_F(SqliteDatabaseTest, ScriptsSplitOutsideLiteralsAndCommentsAndFailAsAWhole) {
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
