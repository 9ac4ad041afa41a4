#include "base/HostError.h"
#include "common/PropsString.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace qor;

TEST(ParsePropsString, SplitsPairsKeepingBracedValuesAndDroppingBlanks) {
    ASSERT_TRUE(ParsePropsString("UserID=7;C={a=1;b=2};UserName=x"));
    EXPECT_EQ(PropsMap()->Keys(), QStringList({"UserID", "C", "UserName"}));
    EXPECT_EQ(GetPropItem("C"), "a=1;b=2");

    ParsePropsString("  UserID  =  7  ; Conn = { a=1 } ;");
    EXPECT_EQ(PropsMap()->Keys(), QStringList({"UserID", "Conn"}));
    EXPECT_EQ(GetPropItem("USERID"), "7");
    EXPECT_EQ(GetPropItem("Conn"), "a=1");
    EXPECT_EQ(CurrentUserID(), 7);

    ParsePropsString("k={v}junk;next=1");  // what follows the brace up to the next ";" is dropped
    EXPECT_EQ(GetPropItem("k"), "v");
    EXPECT_EQ(GetPropItem("next"), "1");
    ParsePropsString("a=1;k={v;w=2");  // an unclosed brace runs to the end
    EXPECT_EQ(GetPropItem("k"), "v;w=2");
    ParsePropsString("a=1;=2;b=3");  // parsing stops at the first empty key
    EXPECT_EQ(PropsMap()->Keys(), QStringList({"a"}));
}

TEST(ParsePropsString, EmptyTextGivesAnEmptyMapAndBadContentFails) {
    ParsePropsString("UserID=7");
    EXPECT_TRUE(ParsePropsString(QString()));
    EXPECT_EQ(PropsMap()->Count(), 0);
    EXPECT_THROW(GetPropItem("UserID"), HostError);

    EXPECT_THROW(ParsePropsString("UserID=1;userid=2"), HostError);
    ParsePropsString("UserID=32767");
    EXPECT_EQ(CurrentUserID(), 32767);
    ParsePropsString("UserID=70000");
    EXPECT_THROW(CurrentUserID(), HostError);
    ParsePropsString("UserID=abc");
    EXPECT_THROW(CurrentUserID(), HostError);
}
