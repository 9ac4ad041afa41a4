#include "base/HostError.h"
#include "base/RecordsetBuilder.h"
#include "common/PropsString.h"
#include "component/ColumnSchema.h"
#include "controls/LedgerGrid.h"
#include "data/CDetail.h"
#include "support/FakeHost.h"

#include <gtest/gtest.h>
#include <QCoreApplication>

using namespace qor;

namespace {

RecordsetPtr TraceRecords(int count) {
    RecordsetBuilder b;
    for (const char* f : {"FItemID", "FBatchNo", "FCustBOMID", "FOrderInterID", "FForbid", "FItemNumber", "FItemName",
                          "FModel", "FOrderBillNo", "FCustBomNo", "FTraceID"})
        b.AddField(QString::fromLatin1(f));
    for (int i = 1; i <= count; ++i)
        b.AddRow({1024, QStringLiteral("B%1").arg(i), i == 2 ? QVariant() : QVariant(7), 3, i % 2 ? 1 : 0,
                  QStringLiteral("3.01.%1").arg(i), QStringLiteral("电机外壳"), QStringLiteral("220V"),
                  i == 2 ? QString() : QStringLiteral("SEORD000001"), i == 2 ? QString() : QStringLiteral("BOM01"),
                  100 + i});
    return b.Finish();
}

class CDetailTest : public ::testing::Test {
protected:
    void SetUp() override {
        ParsePropsString(QStringLiteral("UserID=16;UserName=abc"));
        BuildColumnSchema(schema);
        detail.SetVectCol(schema);
        detail.SetLdg(&grid);
        grid.SetCols(7);
        grid.SetRows(1);
    }
    test::FakeHost host;
    VectorPtr schema;
    controls::LedgerGrid grid;
    CDetail detail;
};

}  // namespace

TEST_F(CDetailTest, SizesTheGridToTheRecordsAndBuildsRowTextsOnDemand) {
    host.SetQueryHandler([](const QString&) { return TraceRecords(5); });
    EXPECT_TRUE(detail.TakeJournalData(detail.GetTraceSQL(" and t1.FItemID=1024")));
    EXPECT_EQ(grid.Rows(), 6);
    EXPECT_EQ(detail.DRowData(1), "物料代码|物料名称|规格型号|销售订单编号|客户BOM编号|批号|禁用|");
    EXPECT_EQ(detail.DRowData(2), "3.01.1|电机外壳|220V|SEORD000001|BOM01|B1|Y|");
    EXPECT_EQ(detail.DRowData(3), "3.01.2|电机外壳|220V|||B2||");  // order and BOM gone, not banned
    EXPECT_EQ(detail.DRowData(6), "3.01.5|电机外壳|220V|SEORD000001|BOM01|B5|Y|");
    EXPECT_EQ(detail.DRowData(7), "");

    host.SetQueryHandler([](const QString&) { return TraceRecords(0); });
    EXPECT_TRUE(detail.TakeJournalData("SELECT nothing"));
    EXPECT_EQ(grid.Rows(), 1);
}

TEST_F(CDetailTest, AFailedQueryIsShownAndKeepsThePreviousList) {
    grid.SetRows(9);
    EXPECT_FALSE(detail.TakeJournalData()) << "no recordset at all";
    EXPECT_EQ(grid.Rows(), 1);

    host.SetQueryHandler([](const QString&) { return TraceRecords(4); });
    detail.TakeJournalData("SELECT x");
    const RecordsetPtr before = detail.Record();
    host.SetQueryHandler([](const QString&) -> RecordsetPtr { throw HostError("no such table: ICOrderBatchTrace"); });
    EXPECT_FALSE(detail.TakeJournalData("SELECT y"));
    EXPECT_EQ(detail.Record(), before);
    EXPECT_EQ(grid.Rows(), 5);
    ASSERT_EQ(host.messages.Shown().size(), 2u);
    EXPECT_EQ(host.messages.Shown()[1].text, "查询数据库时出错。原因:no such table: ICOrderBatchTrace");
    EXPECT_EQ(host.messages.Shown()[1].style, 64);
}

TEST_F(CDetailTest, TreeQueriesRunThroughTheConnectionAndReportTheirFailures) {
    host.SetQueryHandler([](const QString& sql) { return sql.contains("t_Item t1") ? TraceRecords(1) : nullptr; });
    detail.FetchItemDetail(0);
    detail.FetchParentItem();
    EXPECT_EQ(host.Statements().size(), 2);

    host.SetQueryHandler([](const QString&) -> RecordsetPtr { throw HostError("断开"); });
    EXPECT_EQ(detail.FetchItemDetail(0), nullptr);
    EXPECT_EQ(detail.FetchParentItem(), nullptr);
    EXPECT_EQ(host.messages.Texts(), (QStringList{"FetchItemDetail:断开", "FetchParentItem:断开"}));
}
