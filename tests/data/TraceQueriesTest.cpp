#include "data/TraceQueries.h"

#include <gtest/gtest.h>

using namespace qor;

TEST(TraceSql, FullNumberModeWithEmptyFragments) {
    const QString expected = QStringLiteral(
        "SELECT v1.FItemID,v1.FBatchNo,t2.FInterID AS FCustBOMID,v2.FInterID AS FOrderInterID,v1.FForbid ,\r\n"
        "t1.FNumber AS FItemNumber,t1.FName AS FItemName,t1.FModel,\r\n"
        "   ISNULL(v2.FBillNo,'') AS FOrderBillNo,\r\n"
        "   ISNULL(t2.FBOMNumber,'') AS FCustBomNo, \r\n"
        "   v1.FTraceID \r\n"
        "FROM ICOrderBatchTrace v1 INNER JOIN t_ICItem t1 ON v1.FItemID=t1.FItemID\r\n"
        " LEFT JOIN SEOrder v2 ON v1.FOrderInterID=v2.FInterID\r\n"
        " LEFT JOIN ICBom t2 ON v1.FCustBomID=t2.FInterID\r\n"
        "\r\n"
        "WHERE t1.FErpClsID = 7 \r\n"
        " and t1.FItemID=1024\r\n"
        "ORDER BY  t1.FNumber\r\n");
    EXPECT_EQ(BuildTraceSql(" and t1.FItemID=1024", "", false, {}), expected);
}

TEST(TraceSql, ShortNumberModeKeepsTheDefaultOrderByFullNumber) {
    const QString sql = BuildTraceSql("", "   ", true, {});
    EXPECT_TRUE(sql.contains("\r\n   t1.FShortNumber AS FItemNumber,t1.FName AS FItemName,t1.FModel,\r\n"));
    EXPECT_TRUE(sql.endsWith("WHERE t1.FErpClsID = 7 \r\n\r\nORDER BY  t1.FNumber\r\n"));
}

TEST(TraceSql, SortIsUsedUntrimmedAndFragmentsTakeTheirLines) {
    const QString sql = BuildTraceSql(" AND t1.FName LIKE '%12%'", " t1.FNumber ASC,v1.FBatchNo DESC ", false,
                                      {" INNER JOIN t_stock k ON 1=1", "x=1"});
    EXPECT_TRUE(sql.contains("ON v1.FCustBomID=t2.FInterID\r\n INNER JOIN t_stock k ON 1=1\r\nWHERE"));
    EXPECT_TRUE(sql.contains("\r\n AND t1.FName LIKE '%12%' and x=1\r\n"));
    EXPECT_TRUE(sql.endsWith("ORDER BY  t1.FNumber ASC,v1.FBatchNo DESC \r\n"));
    EXPECT_TRUE(BuildTraceSql("", "", false, {"", "x=1"}).contains("\r\n and x=1\r\nORDER BY"));
}

TEST(TreeSql, ItemQueryInBothModes) {
    EXPECT_EQ(BuildItemDetailSql(0, false, {}),
              " SELECT Distinct t1.FItemID,t1.FName,t1.FNumber,t1.FParentID,1 as FDetail \r\n"
              "FROM t_ICItem t1  WHERE t1.FErpClsid=7 \r\n ORDER BY t1.FNumber");
    EXPECT_EQ(BuildItemDetailSql(12, true, {"te2", "c=1"}),
              " SELECT Distinct t1.FItemID,t1.FName,t1.FShortNumber AS FNumber,t1.FParentID,1 as FDetail \r\n"
              "FROM t_ICItem t1 ,te2 WHERE t1.FErpClsid=7 \r\n And FParentID=12 and c=1 ORDER BY t1.FShortNumber");
    // The rights condition applies only with a parent group.
    EXPECT_FALSE(BuildItemDetailSql(0, false, {"", "c=1"}).contains("c=1"));
}

TEST(TreeSql, GroupQueryUnionsVisibleGroupsAndGroupsOfVisibleItems) {
    const QString parents = BuildParentGroupSql({});
    EXPECT_EQ(parents, " SELECT Distinct t1.FParentID \r\nFROM t_ICItem t1  WHERE t1.FErpClsid=7 ");
    EXPECT_EQ(BuildParentItemSql(parents, true, {}),
              "SELECT Distinct t1.FItemID,t1.FName,t1.FShortNumber AS FNumber,t1.FParentID  FROM t_Item t1  "
              "WHERE t1.FItemClassID=4 AND t1.FDetail=0  Union\r\n"
              " SELECT Distinct t1.FItemID,t1.FName,t1.FNumber,t1.FParentID  FROM t_Item t1 Where t1.FItemClassID = 4 "
              "And t1.FDetail = 0 and fitemid in ( SELECT Distinct t1.FParentID \r\nFROM t_ICItem t1  WHERE "
              "t1.FErpClsid=7 ) ORDER BY t1.FNumber");
}
