#include "platform/base/HostError.h"
#include "platform/db/DemoCompany.h"
#include "tests/support/QueryResults.h"
#include "tests/support/ScratchCompany.h"

#include <gtest/gtest.h>
#include <QRegularExpression>
#include <map>

using namespace qor;
using namespace qor::db;
using qor::test::ScratchCompany;
using qor::test::TestBackend;

namespace {
// The demo company is made once per back end for all the tests that read it.
class DemoCompanyTest : public ::testing::TestWithParam<TestBackend> {
protected:
    struct Demo {
        std::unique_ptr<ScratchCompany> place;
        DatabasePtr db;
    };

    void SetUp() override { QOR_SKIP_UNAVAILABLE(GetParam()); }
    static void TearDownTestSuite() { demos_.clear(); }

    Database& Db() const {
        Demo& demo = demos_[GetParam()];
        if (!demo.db) {
            demo.place = std::make_unique<ScratchCompany>(GetParam());
            demo.db = demo.place->Create();
            CreateDemoCompany(*demo.db);
        }
        return *demo.db;
    }
    int Count(const QString& sql) const { return test::Scalar(Db(), sql).toInt(); }
    QStringList Rows(const QString& sql) const { return test::Rows(Db(), sql); }

    static std::map<TestBackend, Demo> demos_;
};

std::map<TestBackend, DemoCompanyTest::Demo> DemoCompanyTest::demos_;
}  // namespace

QOR_INSTANTIATE_FOR_BACKENDS(DemoCompanyTest);

// Groups form three levels whose numbers extend their parents'; every item is
// in both item tables under a lowest group; sales orders and BOMs belong to
// made-to-order items; trace records name such items and lines of their own
// items, and some are banned, orderless or of a deleted BOM. New records get
// keys past the generator's.
TEST_P(DemoCompanyTest, DemoDataKeepsItsRulesAndHoldsEveryCase) {
    const char* broken[] = {
        "SELECT COUNT(*) FROM t_Item WHERE FDetail=0 AND FLevel=1 AND FParentID<>0",
        "SELECT COUNT(*) FROM t_Item c LEFT JOIN t_Item p ON c.FParentID=p.FItemID WHERE c.FParentID<>0 AND "
        "(p.FItemID IS NULL OR p.FDetail<>0 OR p.FLevel<>c.FLevel-1 OR substr(c.FNumber,1,length(p.FNumber)+1)<>"
        "p.FNumber||'.')",
        "SELECT COUNT(*) FROM t_ICItem m LEFT JOIN t_Item i ON i.FItemID=m.FItemID LEFT JOIN t_Item g ON "
        "g.FItemID=m.FParentID WHERE i.FItemID IS NULL OR i.FItemClassID<>4 OR i.FDetail<>1 OR i.FNumber<>m.FNumber "
        "OR i.FParentID<>m.FParentID OR g.FLevel<>3",
        "SELECT COUNT(*) FROM SEOrder WHERE FStatus NOT BETWEEN 0 AND 3",
        "SELECT COUNT(*) FROM SEOrderEntry e JOIN t_ICItem t ON t.FItemID=e.FItemID WHERE t.FErpClsID<>7",
        "SELECT COUNT(*) FROM SEOrderEntry e LEFT JOIN ICBom b ON b.FInterID=e.FBomInterID WHERE e.FBomInterID<>0 "
        "AND (b.FItemID IS NULL OR b.FItemID<>e.FItemID OR b.FBomType<>3)",
        "SELECT COUNT(*) FROM ICOrderBatchTrace v JOIN t_ICItem t ON t.FItemID=v.FItemID WHERE t.FErpClsID<>7",
        "SELECT COUNT(*) FROM ICOrderBatchTrace v LEFT JOIN SEOrderEntry e ON e.FInterID=v.FOrderInterID AND "
        "e.FEntryID=v.FOrderEntryID WHERE v.FOrderInterID<>0 AND (e.FItemID IS NULL OR e.FItemID<>v.FItemID)",
    };
    for (const char* sql : broken) EXPECT_EQ(Count(sql), 0) << sql;
    const std::pair<const char*, int> atLeast[] = {
        {"SELECT COUNT(*) FROM t_Item WHERE FItemClassID=4 AND FDetail=0", 20},
        {"SELECT COUNT(*) FROM t_ICItem WHERE FErpClsID=7", 200},
        {"SELECT COUNT(DISTINCT FErpClsID) FROM t_ICItem WHERE FErpClsID IN (1,2,3)", 3},
        {"SELECT COUNT(*) FROM SEOrder", 100},
        {"SELECT COUNT(*) FROM SEOrder WHERE FStatus=0", 1},
        {"SELECT COUNT(*) FROM SEOrderEntry", 300},
        {"SELECT COUNT(*) FROM SEOrderEntry WHERE FMrpClosed=1", 1},
        {"SELECT COUNT(*) FROM ICBom WHERE FBomType=3", 150},
        {"SELECT COUNT(*) FROM ICBom WHERE FBomType<>3", 1},
        {"SELECT COUNT(*) FROM ICOrderBatchTrace WHERE FOrderInterID=0", 1},
        {"SELECT COUNT(*) FROM ICOrderBatchTrace v LEFT JOIN ICBom b ON b.FInterID=v.FCustBomID "
         "WHERE v.FCustBomID<>0 AND b.FInterID IS NULL",
         1},
        {"SELECT COUNT(*) FROM ICInventory s LEFT JOIN ICOrderBatchTrace v ON v.FItemID=s.FItemID AND "
         "v.FBatchNo=s.FBatchNo WHERE v.FTraceID IS NULL",
         1},
    };
    for (const auto& [sql, least] : atLeast) EXPECT_GE(Count(sql), least) << sql;

    EXPECT_EQ(Rows("SELECT DISTINCT FLevel FROM t_Item WHERE FDetail=0 ORDER BY FLevel"), (QStringList{"1", "2", "3"}));
    const int items = Count("SELECT COUNT(*) FROM t_ICItem");
    EXPECT_EQ(Count("SELECT COUNT(*) FROM t_Item WHERE FDetail=1"), items);
    EXPECT_EQ(Count("SELECT COUNT(DISTINCT FShortNumber) FROM t_ICItem WHERE FShortNumber<>''"), items);
    const QRegularExpression batch("^20\\d{6}-\\d{3}$");
    for (const QString& b : Rows("SELECT FBatchNo FROM ICInventory"))
        ASSERT_TRUE(batch.match(b).hasMatch()) << b.toStdString();
    EXPECT_THROW(CreateDemoCompany(Db()), HostError) << "demo data goes only into an empty company";

    // Auto numbers go on past the keys the generator chose.
    const int highest = Count("SELECT MAX(FItemID) FROM t_Item");
    const Transaction undo(Db());
    Db().Execute("INSERT INTO t_Item (FItemClassID, FNumber, FName) VALUES (4, 'NEW.001', '新物料')");
    EXPECT_GT(Db().LastInsertId(), highest);
}
