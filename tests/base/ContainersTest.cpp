#include "base/Dictionary.h"
#include "base/HostError.h"
#include "base/Vector.h"

#include <gtest/gtest.h>

using namespace qor;

TEST(Vector, IsOneBasedAndRefusesPositionsOutside) {
    Vector v;
    v.Add(QStringLiteral("a"));
    v.Add(7);
    EXPECT_EQ(v.Count(), 2);
    EXPECT_EQ(v.Item(2).toInt(), 7);
    EXPECT_THROW(v.Item(0), HostError);
    EXPECT_THROW(v.Item(3), HostError);
}

TEST(Dictionary, MatchesKeysWithoutCaseAndKeepsInsertionOrder) {
    Dictionary d;
    d.Set(QStringLiteral("FName"), QStringLiteral("FItemID"));
    d.Set(QStringLiteral("FLookUpCls"), 4);
    d.Set(QStringLiteral("FCaption"), QStringLiteral("物料代码"));
    EXPECT_EQ(d.Item(QStringLiteral("FLOOKUPCLS")).toInt(), 4);

    d.Set(QStringLiteral("fname"), QStringLiteral("FBatchNo"));  // replaces, keeps first spelling and place
    EXPECT_EQ(d.Keys(), (QStringList{"FName", "FLookUpCls", "FCaption"}));
    EXPECT_EQ(d.Item(QStringLiteral("FNAME")).toString(), "FBatchNo");
    EXPECT_EQ(d.GetValue(QStringLiteral("FSelBills"), QStringLiteral("d")).toString(), "d");
    EXPECT_FALSE(d.Item(QStringLiteral("FSelBills")).isValid());

    EXPECT_TRUE(d.Remove(QStringLiteral("FLookupcls")));
    EXPECT_EQ(d.Keys(), (QStringList{"FName", "FCaption"}));
    EXPECT_EQ(d.Item(QStringLiteral("fcaption")).toString(), "物料代码");
}
