#include "src/lookup/LookupSql.h"
#include "src/ui/edit/EditLayout.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace qor;

// The filters the window hands to the pickers for item 1024 are checked
// where the user opens them; here the combinations the windows do not reach.
TEST(LookupSql, OrderLineFilterTakesWhatIsChosenAndBomSearchesTheCustomersOnly) {
    const QString open = QStringLiteral(
        " v1.FStatus>0 AND u1.FMrpClosed=0 And u1.FItemID In (SELECT x1.FItemID From t_ICItem x1 WHERE "
        "x1.FErpClsID=7)");
    EXPECT_EQ(LookupListFilter(LookupClass::SalesOrder, " 1024 ", " 7 "),
              " u1.FItemID=1024 AND u1.FBomInterID=7 AND" + open);
    EXPECT_EQ(LookupListFilter(LookupClass::SalesOrder, "", "7"), " u1.FBomInterID=7 AND" + open);
    EXPECT_EQ(LookupListFilter(LookupClass::SalesOrder, "", ""), open);
    EXPECT_EQ(LookupListFilter(LookupClass::None, "1024", "7"), "");
    EXPECT_EQ(CodeSearchFilter(LookupClass::CustomerBom, "1024"), " FItemID=1024 And FBomType=3");
}

// Closed lines and other classes stay out; the number is quoted safely.
TEST(LookupSql, TheSalesOrderStatementTakesOpenLinesOfTheChosenOrder) {
    const QString sql = SalesOrderResolveSql("SO1", "1024", "7", "v1.FEntryID=2");
    EXPECT_TRUE(
        sql.contains(" WHERE v1.FMrpClosed=0 AND u1.FStatus>0 And t1.FErpClsID=7 "
                     " AND u1.FBillNo='SO1' AND v1.FItemID=1024 AND v1.FBomInterID=7 AND v1.FEntryID=2"));
    EXPECT_TRUE(SalesOrderResolveSql("O'K", "", "", "")
                    .endsWith("t1.FErpClsID=7  AND u1.FBillNo='O''K' Order By u1.FInterID,v1.FEntryID"));
}

TEST(EditLayout, FollowsTheWindowAboveThreeThousandTwips) {
    EditLayout layout;
    ArrangeEditLayout(layout, 9015, 6600);
    EXPECT_DOUBLE_EQ(layout.gridHeight, 6000 - 420 - 60);
    EXPECT_DOUBLE_EQ(layout.col2Width, 5920 - 240);
    ArrangeEditLayout(layout, 2990, 2990);
    EXPECT_DOUBLE_EQ(layout.tabWidth, 9000) << "keeps the last layout";
    ArrangeEditLayout(layout, 2000, 3000);
    EXPECT_DOUBLE_EQ(layout.tabWidth, 1985) << "one side at 3000 is enough";
}
