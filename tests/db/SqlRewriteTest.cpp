#include "platform/db/SqlRewrite.h"

#include <gtest/gtest.h>

using qor::db::RewriteIsNullCalls;
using qor::db::RewriteUnionOrderBy;

using Rewrites = std::vector<std::pair<const char*, const char*>>;

// Bare ISNULL calls of any letter case become IFNULL; literals, quoted names,
// comments, longer words, member calls and the postfix operator stay.
TEST(SqlRewrite, TurnsIsNullCallsIntoIfNull) {
    const Rewrites rewrites{
        {"   ISNULL(a,''),\r\n   ISNULL(b,0)", "   IFNULL(a,''),\r\n   IFNULL(b,0)"},
        {"select isnull(a,1), IsNull (b,2), ISNULL\n\t(c,3)", "select IFNULL(a,1), IFNULL (b,2), IFNULL\n\t(c,3)"},
        {"SELECT 'a''' , ISNULL(x,'--') -- ISNULL(\nFROM t", "SELECT 'a''' , IFNULL(x,'--') -- ISNULL(\nFROM t"},
    };
    for (const auto& [sql, expected] : rewrites) EXPECT_EQ(RewriteIsNullCalls(sql), expected) << sql;
    for (const char* sql :
         {"SELECT 'ISNULL(a,b)' AS t", "SELECT 'it''s ISNULL(a,b)' AS t", "SELECT \"ISNULL(\" FROM t",
          "SELECT [ISNULL(x]]] FROM t", "SELECT a -- ISNULL(a,b)\nFROM t", "SELECT a /* ISNULL(a,b) */ FROM t",
          "SELECT MyISNULL(a) FROM t", "SELECT ISNULLX(a) FROM t", "SELECT s.ISNULL(a) FROM t",
          "SELECT a FROM t WHERE a ISNULL", "SELECT a FROM t WHERE a ISNULL AND (b=1)", "SELECT 'unterminated ISNULL("})
        EXPECT_EQ(RewriteIsNullCalls(sql), sql);
}

// A qualified column in the ORDER BY of a set operation becomes the name of
// the output column; without a set operation at the top it stays.
TEST(SqlRewrite, UnionOrderByNamesTheOutputColumn) {
    const Rewrites rewrites{
        {"SELECT a.x, a.y FROM a UNION ALL SELECT b.x, b.y FROM b order by a.x DESC, 2, \"a.y\", 'p.q'",
         "SELECT a.x, a.y FROM a UNION ALL SELECT b.x, b.y FROM b order by x DESC, 2, \"a.y\", 'p.q'"},
        {"SELECT x FROM a EXCEPT SELECT x FROM b ORDER BY b.x, 1.5",
         "SELECT x FROM a EXCEPT SELECT x FROM b ORDER BY x, 1.5"},
    };
    for (const auto& [sql, expected] : rewrites) EXPECT_EQ(RewriteUnionOrderBy(sql), expected) << sql;
    for (const char* sql : {"SELECT t1.FNumber FROM t_ICItem t1 ORDER BY t1.FNumber",
                            "SELECT x FROM (SELECT a.x FROM a UNION SELECT b.x FROM b ORDER BY a.x) u ORDER BY u.x",
                            "SELECT 'UNION' AS w, t.x FROM t ORDER BY t.x", "SELECT t.x FROM t -- UNION\nORDER BY t.x",
                            "SELECT t.FUnion FROM t ORDER BY t.FUnion", "SELECT a.x FROM a UNION SELECT b.x FROM b"})
        EXPECT_EQ(RewriteUnionOrderBy(sql), sql);
}
