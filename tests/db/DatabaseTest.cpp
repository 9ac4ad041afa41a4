#include "db/DbError.h"
#include "db/Migrations.h"
#include "support/ScratchCompany.h"

#include <gtest/gtest.h>
#include <QDate>

using namespace qor;
using namespace qor::db;
using qor::test::ScratchCompany;
using qor::test::TestBackend;

namespace {
// What every back end must answer alike.
class DatabaseTest : public ::testing::TestWithParam<TestBackend> {
protected:
    void SetUp() override {
        QOR_SKIP_UNAVAILABLE(GetParam());
        place_ = std::make_unique<ScratchCompany>(GetParam());
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

    std::unique_ptr<ScratchCompany> place_;
    DatabasePtr db_;
};
}  // namespace

QOR_INSTANTIATE_FOR_BACKENDS(DatabaseTest);

TEST_P(DatabaseTest, ReadsColumnTypesNullsAndChineseText) {
    db_->Execute(QStringLiteral("INSERT INTO t (FName, FQty, FRate, FNote, FBig, FFlag) VALUES (?, ?, ?, ?, ?, ?)"),
                 {QStringLiteral("控制板 PCB-A"), 18, 0.5, QVariant(), qlonglong(1) << 40, true});
    db_->Execute(QStringLiteral("INSERT INTO t (FName, FQty) VALUES (?, ?)"), {QStringLiteral("001"), 2.5});

    const RecordsetPtr rs = db_->Query(QStringLiteral(
        "SELECT FID, FName, FQty, FRate, FNote, FBig, FFlag, FID + 1 AS FNext, 1.5 AS FHalf, 'x' AS FText "
        "FROM t ORDER BY FID"));
    ASSERT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(rs->Fields(QStringLiteral("fid")).Type(), FieldType::Integer);
    EXPECT_EQ(rs->Fields(QStringLiteral("FName")).Type(), FieldType::Text);
    EXPECT_EQ(rs->Fields(QStringLiteral("FQty")).Type(), FieldType::Double);
    EXPECT_EQ(rs->Fields(QStringLiteral("FRate")).Type(), FieldType::Double);
    EXPECT_EQ(rs->Fields(QStringLiteral("FNext")).Type(), FieldType::Integer);
    EXPECT_EQ(rs->Fields(QStringLiteral("FHalf")).Type(), FieldType::Double);
    EXPECT_EQ(rs->Fields(QStringLiteral("FText")).Type(), FieldType::Text);
    EXPECT_EQ(rs->Fields(QStringLiteral("FName")).Text(), QStringLiteral("控制板 PCB-A"));
    EXPECT_DOUBLE_EQ(rs->Fields(QStringLiteral("FQty")).Value().toDouble(), 18.0);
    EXPECT_TRUE(rs->Fields(QStringLiteral("FNote")).IsNull());
    EXPECT_EQ(rs->Fields(QStringLiteral("FNote")).Text(), QString());
    EXPECT_EQ(rs->Fields(QStringLiteral("FBig")).Value().toLongLong(), qlonglong(1) << 40);
    EXPECT_EQ(rs->Fields(QStringLiteral("FFlag")).Value().toInt(), 1);
    rs->MoveNext();
    EXPECT_EQ(rs->Fields(QStringLiteral("FName")).Text(), QStringLiteral("001"));  // text stays text
    EXPECT_DOUBLE_EQ(rs->Fields(QStringLiteral("FQty")).Value().toDouble(), 2.5);
    EXPECT_TRUE(rs->Fields(QStringLiteral("FRate")).IsNull());
    EXPECT_TRUE(rs->Fields(QStringLiteral("FFlag")).IsNull());
}

TEST_P(DatabaseTest, BindsParametersOfEveryKind) {
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
    EXPECT_FALSE(rs->Fields(0).IsNull());  // an empty text is not a null
    EXPECT_EQ(rs->Fields(0).Text(), QString());
    EXPECT_DOUBLE_EQ(rs->Fields(1).Value().toDouble(), 1099511627776.0);
    EXPECT_TRUE(rs->Fields(2).IsNull());

    EXPECT_EQ(db_->Execute(QStringLiteral("UPDATE t SET FNote = ?"), {QStringLiteral("y")}), 2);
    EXPECT_THROW(db_->Query(select, {}), DbError);
    EXPECT_THROW(db_->Query(select, {1, 2}), DbError);
    EXPECT_THROW(db_->Execute(QStringLiteral("DELETE FROM t; DROP TABLE t")), DbError);
    EXPECT_TRUE(db_->TableExists(QStringLiteral("T")));
}

TEST_P(DatabaseTest, FailuresSayWhatKindTheyAreAndCarryTheStatement) {
    db_->Execute(QStringLiteral("INSERT INTO t (FName) VALUES ('a')"));
    const QString bad = QStringLiteral("SELECT FNoSuchColumn FROM t");
    try {
        db_->Query(bad);
        FAIL() << "no error";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.Description().contains(QStringLiteral("FNoSuchColumn"), Qt::CaseInsensitive)) << e.what();
        EXPECT_EQ(e.Statement(), bad);
        EXPECT_EQ(e.Failure(), DbFailure::Other);
    }
    try {
        db_->Execute(QStringLiteral("INSERT INTO t (FName) VALUES ('a')"));
        FAIL() << "no error";
    } catch (const DbError& e) {
        EXPECT_EQ(e.Failure(), DbFailure::UniqueViolation);
    }
}

TEST_P(DatabaseTest, TransactionsRollBackUnlessCommittedAndNest) {
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

TEST_P(DatabaseTest, TransactSqlFunctionsComeWithTheCompanySchema) {
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
    EXPECT_EQ(Scalar(QStringLiteral("SELECT CHARINDEX('abcd', 'abc')")).toInt(), 0);
    EXPECT_TRUE(Scalar(QStringLiteral("SELECT CHARINDEX(NULL, 'abc')")).isNull());

    db_->Execute(QStringLiteral("INSERT INTO t (FName, FNote) VALUES ('a', '3,16,'), ('b', '5,')"));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT FName FROM t t9 WHERE  CharIndex('16',t9.FNote)>0 ")).toString(),
              QStringLiteral("a"));
}
