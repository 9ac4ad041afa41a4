#include "db/SqlRewrite.h"

#include <gtest/gtest.h>

using qor::db::RewriteIsNullCalls;

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
