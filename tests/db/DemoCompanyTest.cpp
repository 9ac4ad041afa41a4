#include "base/HostError.h"
#include "db/DemoCompany.h"
#include "db/OpenDatabase.h"
#include "db/Passwords.h"

#include "support/ScratchCompany.h"
#include "data/TraceQueries.h"
#include "ui/edit/LookupSql.h"

#include <gtest/gtest.h>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <map>
#include <set>

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
    int Count(const QString& sql) const { return Db().Query(sql)->Fields(0).Value().toInt(); }
    static QStringList Rows(Database& db, const QString& sql) {
        QStringList rows;
        for (const RecordsetPtr rs = db.Query(sql); !rs->Eof(); rs->MoveNext()) {
            QStringList cells;
            for (int i = 0; i < rs->FieldCount(); ++i) cells << rs->Fields(i).Text();
            rows << cells.join(u'|');
        }
        return rows;
    }

    static std::map<TestBackend, Demo> demos_;
};

std::map<TestBackend, DemoCompanyTest::Demo> DemoCompanyTest::demos_;
}  // namespace

QOR_INSTANTIATE_FOR_BACKENDS(DemoCompanyTest);

TEST_P(DemoCompanyTest, GroupsFormThreeLevelsWhoseNumbersExtendTheirParents) {
    EXPECT_GE(Count(QStringLiteral("SELECT COUNT(*) FROM t_Item WHERE FItemClassID=4 AND FDetail=0")), 20);
    EXPECT_EQ(Rows(Db(), QStringLiteral("SELECT DISTINCT FLevel FROM t_Item WHERE FDetail=0 ORDER BY FLevel")),
              QStringList({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM t_Item WHERE FDetail=0 AND FLevel=1 AND FParentID<>0")), 0);
    EXPECT_EQ(
        Count(QStringLiteral("SELECT COUNT(*) FROM t_Item c LEFT JOIN t_Item p ON c.FParentID=p.FItemID "
                             "WHERE c.FParentID<>0 AND (p.FItemID IS NULL OR p.FDetail<>0 OR p.FLevel<>c.FLevel-1 "
                             "OR substr(c.FNumber,1,length(p.FNumber)+1)<>p.FNumber||'.')")),
        0);
}

TEST_P(DemoCompanyTest, EveryItemIsInBothItemTablesUnderALowestGroup) {
    EXPECT_GE(Count(QStringLiteral("SELECT COUNT(*) FROM t_ICItem WHERE FErpClsID=7")), 200);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(DISTINCT FErpClsID) FROM t_ICItem WHERE FErpClsID IN (1,2,3)")), 3);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM t_ICItem m LEFT JOIN t_Item i ON i.FItemID=m.FItemID "
                                   "LEFT JOIN t_Item g ON g.FItemID=m.FParentID "
                                   "WHERE i.FItemID IS NULL OR i.FItemClassID<>4 OR i.FDetail<>1 "
                                   "OR i.FNumber<>m.FNumber OR i.FParentID<>m.FParentID OR g.FLevel<>3")),
              0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM t_Item WHERE FDetail=1")),
              Count(QStringLiteral("SELECT COUNT(*) FROM t_ICItem")));
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(DISTINCT FShortNumber) FROM t_ICItem WHERE FShortNumber<>''")),
              Count(QStringLiteral("SELECT COUNT(*) FROM t_ICItem")));
}

TEST_P(DemoCompanyTest, SalesOrdersAndBomsBelongToMadeToOrderItems) {
    EXPECT_GE(Count(QStringLiteral("SELECT COUNT(*) FROM SEOrder")), 100);
    EXPECT_GE(Count(QStringLiteral("SELECT COUNT(*) FROM SEOrderEntry")), 300);
    EXPECT_GT(Count(QStringLiteral("SELECT COUNT(*) FROM SEOrderEntry WHERE FMrpClosed=1")), 0);
    EXPECT_GT(Count(QStringLiteral("SELECT COUNT(*) FROM SEOrder WHERE FStatus=0")), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM SEOrder WHERE FStatus NOT BETWEEN 0 AND 3")), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM SEOrderEntry e JOIN t_ICItem t ON t.FItemID=e.FItemID "
                                   "WHERE t.FErpClsID<>7")),
              0);
    EXPECT_GT(Count(QStringLiteral("SELECT COUNT(*) FROM SEOrderEntry WHERE FBomInterID<>0")),
              Count(QStringLiteral("SELECT COUNT(*) FROM SEOrderEntry WHERE FBomInterID=0")));
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM SEOrderEntry e LEFT JOIN ICBom b ON b.FInterID=e.FBomInterID "
                                   "WHERE e.FBomInterID<>0 AND (b.FItemID IS NULL OR b.FItemID<>e.FItemID "
                                   "OR b.FBomType<>3)")),
              0);
    EXPECT_GE(Count(QStringLiteral("SELECT COUNT(*) FROM ICBom WHERE FBomType=3")), 150);
    EXPECT_GT(Count(QStringLiteral("SELECT COUNT(*) FROM ICBom WHERE FBomType<>3")), 0);
}

TEST_P(DemoCompanyTest, TraceRecordsCoverBannedOrderlessAndDeletedBomCases) {
    EXPECT_GE(Count(QStringLiteral("SELECT COUNT(*) FROM ICOrderBatchTrace")), 2000);
    EXPECT_GT(Count(QStringLiteral("SELECT COUNT(*) FROM ICOrderBatchTrace WHERE FForbid=1")), 0);
    EXPECT_GT(Count(QStringLiteral("SELECT COUNT(*) FROM ICOrderBatchTrace WHERE FOrderInterID=0")), 0);
    EXPECT_GT(Count(QStringLiteral("SELECT COUNT(*) FROM ICOrderBatchTrace v LEFT JOIN ICBom b "
                                   "ON b.FInterID=v.FCustBomID WHERE v.FCustBomID<>0 AND b.FInterID IS NULL")),
              0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM ICOrderBatchTrace v JOIN t_ICItem t ON t.FItemID=v.FItemID "
                                   "WHERE t.FErpClsID<>7")),
              0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM ICOrderBatchTrace v LEFT JOIN SEOrderEntry e "
                                   "ON e.FInterID=v.FOrderInterID AND e.FEntryID=v.FOrderEntryID "
                                   "WHERE v.FOrderInterID<>0 AND (e.FItemID IS NULL OR e.FItemID<>v.FItemID)")),
              0);
    const QRegularExpression batch(QStringLiteral("^20\\d{6}-\\d{3}$"));
    for (const QString& b : Rows(Db(), QStringLiteral("SELECT FBatchNo FROM ICInventory")))
        ASSERT_TRUE(batch.match(b).hasMatch()) << b.toStdString();
    EXPECT_GT(Count(QStringLiteral("SELECT COUNT(*) FROM ICInventory s LEFT JOIN ICOrderBatchTrace v "
                                   "ON v.FItemID=s.FItemID AND v.FBatchNo=s.FBatchNo WHERE v.FTraceID IS NULL")),
              0);
}

TEST_P(DemoCompanyTest, UsersHoldTheirRightsAndSettings) {
    for (const char* name : {"administrator", "viewer", "clerk"}) {
        const RecordsetPtr user = Db().Query(QStringLiteral("SELECT FSalt, FPasswordHash FROM t_User WHERE FName=?"),
                                             {QString::fromLatin1(name)});
        ASSERT_EQ(user->RecordCount(), 1) << name;
        EXPECT_EQ(HashPassword(user->Fields(0).Text(), QStringLiteral("demo")), user->Fields(1).Text()) << name;
    }
    const auto mask = [this](const char* user, int module, int detail) {
        const RecordsetPtr rs =
            Db().Query(QStringLiteral("SELECT r.FMask FROM t_UserRight r JOIN t_User u ON u.FUserID=r.FUserID "
                                      "WHERE u.FName=? AND r.FModule=? AND r.FDetail=?"),
                       {QString::fromLatin1(user), module, detail});
        return rs->Eof() ? qint64(0) : rs->Fields(0).Value().toLongLong();
    };
    const qint64 every = 0x10 | 0x2000 | 0x8000 | 0x10000 | 0x20000 | 0x200000 | 0x400000;
    EXPECT_EQ(mask("administrator", 1099, 20) & every, every);
    EXPECT_EQ(mask("viewer", 1099, 20) & every, 0x200000);
    EXPECT_EQ(mask("clerk", 1099, 20) & every, 0x20000 | 0x200000 | 0x400000);
    EXPECT_EQ(mask("administrator", 1003, 10) & 0x200000, 0x200000);
    EXPECT_EQ(mask("viewer", 1003, 10) & 0x200000, 0x200000);

    EXPECT_EQ(Rows(Db(), QStringLiteral("SELECT FKey, FValue FROM t_SystemProfile WHERE FCategory='IC' ORDER BY FKey")),
              QStringList({QStringLiteral("UseOrderBatchTrace|1"), QStringLiteral("UseShortNumber|0")}));
    EXPECT_EQ(Rows(Db(), QStringLiteral("Select FValue From t_UserSetting Where FUserID=(SELECT FUserID FROM t_User "
                                        "WHERE FName='administrator') And FCategory='QOR_APFC' "
                                        "And FKey ='RptFontSize'")),
              QStringList(QStringLiteral("10.5")));
}

// The module's own statements run against the demo data, in both number
// modes: the tree gets every group once and after its parent, every item
// under a group of the tree, and an item's list all of its records.
TEST_P(DemoCompanyTest, TheModulesStatementsFindDemoData) {
    const int groupCount = Count(QStringLiteral("SELECT COUNT(*) FROM t_Item WHERE FDetail=0"));
    const int item = Count(QStringLiteral("SELECT MIN(FItemID) FROM ICOrderBatchTrace"));
    for (const bool shortNumbers : {false, true}) {
        SCOPED_TRACE(shortNumbers ? "short numbers" : "full numbers");
        std::set<int> nodes{0};
        const RecordsetPtr groups = Db().Query(BuildParentItemSql(BuildParentGroupSql({}), shortNumbers, {}));
        for (; !groups->Eof(); groups->MoveNext()) {
            EXPECT_TRUE(nodes.count(groups->Fields(QStringLiteral("FParentID")).Value().toInt()));
            EXPECT_TRUE(nodes.insert(groups->Fields(QStringLiteral("FItemID")).Value().toInt()).second);
        }
        EXPECT_EQ(static_cast<int>(nodes.size()) - 1, groupCount);
        const RecordsetPtr items = Db().Query(BuildItemDetailSql(0, shortNumbers, {}));
        EXPECT_EQ(items->RecordCount(), Count(QStringLiteral("SELECT COUNT(*) FROM t_ICItem WHERE FErpClsID=7")));
        for (; !items->Eof(); items->MoveNext())
            EXPECT_TRUE(nodes.count(items->Fields(QStringLiteral("FParentID")).Value().toInt()));
        const RecordsetPtr list =
            Db().Query(BuildTraceSql(QStringLiteral(" and t1.FItemID=%1").arg(item), QString(), shortNumbers, {}));
        EXPECT_EQ(list->RecordCount(),
                  Count(QStringLiteral("SELECT COUNT(*) FROM ICOrderBatchTrace WHERE FItemID=%1").arg(item)));
    }

    const QString billNo =
        Rows(Db(),
             QStringLiteral(
                 "SELECT u.FBillNo FROM SEOrder u JOIN SEOrderEntry v ON u.FInterID=v.FInterID WHERE v.FMrpClosed=0 "
                 "AND u.FStatus>0 AND v.FBomInterID<>0 ORDER BY u.FInterID LIMIT 1"))
            .value(0);
    EXPECT_GT(Db().Query(SalesOrderResolveSql(billNo, QString(), QString(), QString()))->RecordCount(), 0)
        << billNo.toStdString();
}

TEST_P(DemoCompanyTest, SameOptionsGiveTheSameCompanyAndOnlyIntoAnEmptyOne) {
    const DemoOptions small{300, 40, 5};
    const ScratchCompany a(GetParam());
    const ScratchCompany b(GetParam());
    const DatabasePtr first = a.Create();
    const DatabasePtr second = b.Create();
    CreateDemoCompany(*first, small);
    CreateDemoCompany(*second, small);
    for (const char* sql : {"SELECT * FROM t_Item ORDER BY FItemID", "SELECT * FROM t_ICItem ORDER BY FItemID",
                            "SELECT * FROM SEOrderEntry ORDER BY FInterID, FEntryID",
                            "SELECT * FROM ICOrderBatchTrace ORDER BY FTraceID"}) {
        const QStringList rows = Rows(*first, QString::fromLatin1(sql));
        EXPECT_FALSE(rows.isEmpty()) << sql;
        EXPECT_EQ(rows, Rows(*second, QString::fromLatin1(sql))) << sql;
    }
    EXPECT_EQ(Rows(*first, QStringLiteral("SELECT COUNT(*) FROM ICOrderBatchTrace")),
              QStringList(QStringLiteral("300")));
    EXPECT_THROW(CreateDemoCompany(*first, small), HostError);
}

TEST_P(DemoCompanyTest, AutoNumbersGoOnPastTheKeysTheGeneratorChose) {
    const int highest = Count(QStringLiteral("SELECT MAX(FItemID) FROM t_Item"));
    const Transaction undo(Db());
    Db().Execute(QStringLiteral("INSERT INTO t_Item (FItemClassID, FNumber, FName) VALUES (4, 'NEW.001', '新物料')"));
    EXPECT_GT(Db().LastInsertId(), highest);
}
