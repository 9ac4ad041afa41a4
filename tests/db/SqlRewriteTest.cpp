#include "db/SqlRewrite.h"

#include <gtest/gtest.h>

using qor::db::NumberPlaceholders;
using qor::db::RewriteIsNullCalls;
using qor::db::RewriteUnionOrderBy;

TEST(SqlRewrite, TurnsIsNullCallsIntoIfNull) {
    EXPECT_EQ(RewriteIsNullCalls(QStringLiteral("SELECT ISNULL(v2.FBillNo,'') AS FOrderBillNo")),
              QStringLiteral("SELECT IFNULL(v2.FBillNo,'') AS FOrderBillNo"));
    EXPECT_EQ(RewriteIsNullCalls(QStringLiteral("   ISNULL(a,''),\r\n   ISNULL(b,0)")),
              QStringLiteral("   IFNULL(a,''),\r\n   IFNULL(b,0)"));
}

TEST(SqlRewrite, AnyLetterCaseAndBlanksBeforeTheParenthesis) {
    EXPECT_EQ(RewriteIsNullCalls(QStringLiteral("select isnull(a,1), IsNull (b,2), ISNULL\n\t(c,3)")),
              QStringLiteral("select IFNULL(a,1), IFNULL (b,2), IFNULL\n\t(c,3)"));
}

TEST(SqlRewrite, LeavesLiteralsQuotedNamesAndCommentsAlone) {
    const QString untouched[] = {
        QStringLiteral("SELECT 'ISNULL(a,b)' AS t"),       QStringLiteral("SELECT 'it''s ISNULL(a,b)' AS t"),
        QStringLiteral("SELECT \"ISNULL(\" FROM t"),       QStringLiteral("SELECT [ISNULL(x]]] FROM t"),
        QStringLiteral("SELECT a -- ISNULL(a,b)\nFROM t"), QStringLiteral("SELECT a /* ISNULL(a,b) */ FROM t"),
    };
    for (const QString& sql : untouched) EXPECT_EQ(RewriteIsNullCalls(sql), sql) << sql.toStdString();

    EXPECT_EQ(RewriteIsNullCalls(QStringLiteral("SELECT 'a''' , ISNULL(x,'--') -- ISNULL(\nFROM t")),
              QStringLiteral("SELECT 'a''' , IFNULL(x,'--') -- ISNULL(\nFROM t"));
}

TEST(SqlRewrite, OnlyBareCallsOfTheWholeWord) {
    const QString untouched[] = {
        QStringLiteral("SELECT MyISNULL(a) FROM t"),
        QStringLiteral("SELECT ISNULLX(a) FROM t"),
        QStringLiteral("SELECT s.ISNULL(a) FROM t"),
        QStringLiteral("SELECT a FROM t WHERE a ISNULL"),
        QStringLiteral("SELECT a FROM t WHERE a ISNULL AND (b=1)"),
        QStringLiteral("SELECT 'unterminated ISNULL("),
    };
    for (const QString& sql : untouched) EXPECT_EQ(RewriteIsNullCalls(sql), sql) << sql.toStdString();
}

TEST(SqlRewrite, NumbersPlaceholdersOutsideLiteralsAndComments) {
    EXPECT_EQ(NumberPlaceholders(QStringLiteral("INSERT INTO t (a, b) VALUES (?, ?)")),
              QStringLiteral("INSERT INTO t (a, b) VALUES ($1, $2)"));
    EXPECT_EQ(NumberPlaceholders(QStringLiteral("SELECT '?', \"a?\" FROM t -- ?\nWHERE x=? /* ? */ AND y='it''s ?' "
                                                "AND z=?")),
              QStringLiteral("SELECT '?', \"a?\" FROM t -- ?\nWHERE x=$1 /* ? */ AND y='it''s ?' AND z=$2"));
    const QString none = QStringLiteral("SELECT 1 FROM t");
    EXPECT_EQ(NumberPlaceholders(none), none);
}

// The item-group query of the list window: its first branch names the
// column FNumber (an alias of the short number, or the number itself).
TEST(SqlRewrite, UnionOrderByNamesTheOutputColumn) {
    const QString groups = QStringLiteral(
        "SELECT Distinct t1.FItemID,t1.FName,t1.FShortNumber AS FNumber,t1.FParentID  FROM t_Item t1 "
        " WHERE t1.FItemClassID=4 AND t1.FDetail=0  Union\r\n"
        " SELECT Distinct t1.FItemID,t1.FName,t1.FNumber,t1.FParentID  FROM t_Item t1"
        " Where t1.FItemClassID = 4 And t1.FDetail = 0 and fitemid in ("
        " SELECT Distinct t1.FParentID \r\nFROM t_ICItem t1  WHERE t1.FErpClsid=7 ORDER BY t1.FNumber) "
        "ORDER BY t1.FNumber");
    QString expected = groups;
    expected.replace(expected.size() - 10, 10, QStringLiteral("FNumber"));
    EXPECT_EQ(RewriteUnionOrderBy(groups), expected);

    EXPECT_EQ(RewriteUnionOrderBy(QStringLiteral("SELECT a.x, a.y FROM a UNION ALL SELECT b.x, b.y FROM b "
                                                 "order by a.x DESC, 2, \"a.y\", 'p.q'")),
              QStringLiteral("SELECT a.x, a.y FROM a UNION ALL SELECT b.x, b.y FROM b order by x DESC, 2, \"a.y\", "
                             "'p.q'"));
    EXPECT_EQ(RewriteUnionOrderBy(QStringLiteral("SELECT x FROM a EXCEPT SELECT x FROM b ORDER BY b.x, 1.5")),
              QStringLiteral("SELECT x FROM a EXCEPT SELECT x FROM b ORDER BY x, 1.5"));
}

TEST(SqlRewrite, LeavesOrderByWithoutASetOperationAlone) {
    const QString untouched[] = {
        QStringLiteral("SELECT t1.FNumber FROM t_ICItem t1 ORDER BY t1.FNumber"),
        QStringLiteral("SELECT x FROM (SELECT a.x FROM a UNION SELECT b.x FROM b ORDER BY a.x) u ORDER BY u.x"),
        QStringLiteral("SELECT 'UNION' AS w, t.x FROM t ORDER BY t.x"),
        QStringLiteral("SELECT t.x FROM t -- UNION\nORDER BY t.x"),
        QStringLiteral("SELECT t.FUnion FROM t ORDER BY t.FUnion"),
        QStringLiteral("SELECT a.x FROM a UNION SELECT b.x FROM b"),
    };
    for (const QString& sql : untouched) EXPECT_EQ(RewriteUnionOrderBy(sql), sql) << sql.toStdString();
}
