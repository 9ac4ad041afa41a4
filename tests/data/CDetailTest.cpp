#include "platform/base/HostError.h"
#include "platform/base/RecordsetBuilder.h"
#include "src/common/PropsString.h"
#include "src/component/ColumnSchema.h"
#include "src/data/CDetail.h"
#include "src/data/TraceQueries.h"
#include "tests/support/FakeHost.h"

#include <gtest/gtest.h>
#include <set>

using namespace qor;

namespace {

// Two trace records of item 7; the first, banned, has a "|" in its model.
RecordsetPtr TwoRecords() {
    RecordsetBuilder b;
    for (const char* field : {"FItemID", "FBatchNo", "FCustBOMID", "FOrderInterID", "FForbid", "FItemNumber",
                              "FItemName", "FModel", "FOrderBillNo", "FCustBomNo", "FTraceID"})
        b.AddField(field,
                   QString(field) == "FForbid" || QString(field).endsWith("ID") ? FieldType::Integer : FieldType::Text);
    b.AddRow({7, "B1", 0, 0, 1, "1.01", "阀门", "DN50|PN16", "", "", 11});
    b.AddRow({7, "B2", 0, 0, 0, "1.01", "阀门", "DN50", "SO-1", "KH-1", 12});
    return b.Finish();
}

// A grid that only keeps what the data access tells it.
struct Grid : ListGrid {
    int rows = 1;
    std::set<int> hidden;
    int Rows() const override { return rows; }
    void SetRows(int r) override { rows = r; }
    int Cols() const override { return 7; }
    void SetColHidden(int col, bool hide) override {
        if (hide)
            hidden.insert(col);
        else
            hidden.erase(col);
    }
};

class CDetailTest : public ::testing::Test {
protected:
    void SetUp() override {
        ParsePropsString("UserID=16;UserName=abc");
        detail.SetLdg(&grid);
    }
    test::FakeHost host;
    Grid grid;
    CDetail detail;
};

}  // namespace

// Failures of the list and tree queries are shown; the list keeps what it had.
TEST_F(CDetailTest, AFailedQueryIsShownAndKeepsThePreviousList) {
    grid.rows = 9;
    EXPECT_FALSE(detail.TakeJournalData()) << "no recordset at all";
    EXPECT_EQ(grid.rows, 1);

    host.SetQueryHandler([](const QString&) { return TwoRecords(); });
    EXPECT_TRUE(detail.TakeJournalData(detail.GetTraceSQL(" and t1.FItemID=1024")));
    const RecordsetPtr before = detail.Record();
    host.SetQueryHandler([](const QString&) -> RecordsetPtr { throw HostError("no such table: ICOrderBatchTrace"); });
    EXPECT_FALSE(detail.TakeJournalData("SELECT y"));
    EXPECT_EQ(detail.Record(), before);
    EXPECT_EQ(grid.rows, 3);
    EXPECT_EQ(detail.FetchItemDetail(0), nullptr);
    EXPECT_EQ(detail.FetchParentItem(), nullptr);
    ASSERT_EQ(host.messages.Shown().size(), 4u);
    EXPECT_EQ(host.messages.Shown()[1].style, 64);
    EXPECT_EQ(host.messages.Texts().mid(1), (QStringList{"查询数据库时出错。原因:no such table: ICOrderBatchTrace",
                                                         "FetchItemDetail:no such table: ICOrderBatchTrace",
                                                         "FetchParentItem:no such table: ICOrderBatchTrace"}));
}

// Row texts for callers of DRowData keep "|" after every cell, a "|" inside
// a value included; the grid's cells keep such a value whole.
TEST_F(CDetailTest, RowsAsTextAndAsCells) {
    VectorPtr schema;
    BuildColumnSchema(schema);
    detail.SetVectCol(schema);
    host.SetQueryHandler([](const QString&) { return TwoRecords(); });
    ASSERT_TRUE(detail.TakeJournalData(detail.GetTraceSQL()));
    EXPECT_EQ(detail.DRowData(2), "1.01|阀门|DN50|PN16|||B1|Y|");
    EXPECT_EQ(detail.DRowCells(2), QStringList({"1.01", "阀门", "DN50|PN16", "", "", "B1", "Y"}));
    EXPECT_EQ(detail.DRowData(3), "1.01|阀门|DN50|SO-1|KH-1|B2||");
    EXPECT_EQ(detail.DRowCells(3), QStringList({"1.01", "阀门", "DN50", "SO-1", "KH-1", "B2", ""}));
    EXPECT_EQ(detail.DRowCells(1).join(u'|') + u'|', detail.DRowData(1));
    EXPECT_TRUE(detail.DRowCells(4).isEmpty());
    EXPECT_TRUE(grid.hidden.empty());
}

// The list and tree statements run on the demo company in the list window's
// tests, in both number modes; here the data-right fragments, which those
// tests do not put in force, and the orders, which they do not look at: short
// numbers order only the tree's items, and its items take the condition only
// under a group.
TEST(TraceQueries, DataRightFragmentsTakeTheirPlacesAndShortNumbersOrderOnlyTheTreesItems) {
    const QString sql =
        BuildTraceSql(" AND t1.FName LIKE '%12%'", "   ", true, {" INNER JOIN t_stock k ON 1=1", "x=1"});
    EXPECT_TRUE(sql.contains("ON v1.FCustBomID=t2.FInterID\r\n INNER JOIN t_stock k ON 1=1\r\nWHERE"));
    EXPECT_TRUE(sql.endsWith("\r\n AND t1.FName LIKE '%12%' and x=1\r\nORDER BY  t1.FNumber\r\n"));
    EXPECT_TRUE(BuildTraceSql("", "", false, {"", "x=1"}).contains("\r\n and x=1\r\nORDER BY"));

    const DataRightFragments rights{"te2", "c=1"};
    const QString groups = BuildParentItemSql(BuildParentGroupSql(rights), true, rights);
    EXPECT_TRUE(groups.contains(" FROM t_Item t1 ,te2 WHERE t1.FItemClassID=4 AND t1.FDetail=0  and c=1 Union"));
    EXPECT_TRUE(groups.endsWith("FROM t_ICItem t1 ,te2 WHERE t1.FErpClsid=7 ) ORDER BY t1.FNumber"));
    EXPECT_TRUE(BuildItemDetailSql(0, false, rights).endsWith(" WHERE t1.FErpClsid=7 \r\n ORDER BY t1.FNumber"));
    EXPECT_TRUE(BuildItemDetailSql(12, true, rights).endsWith(" And FParentID=12 and c=1 ORDER BY t1.FShortNumber"));
}
