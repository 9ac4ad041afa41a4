#include "base/HostError.h"
#include "common/PropsString.h"

#include <gtest/gtest.h>

using namespace qor;

TEST(ParsePropsString, BracedValueKeepsSemicolonsAndEquals) {
    ASSERT_TRUE(ParsePropsString(QStringLiteral("UserID=7;C={a=1;b=2};UserName=x")));
    EXPECT_EQ(PropsMap()->Keys(), QStringList({"UserID", "C", "UserName"}));
    EXPECT_EQ(GetPropItem(QStringLiteral("C")), "a=1;b=2");
    EXPECT_EQ(GetPropItem(QStringLiteral("UserName")), "x");
}

TEST(ParsePropsString, TrimsBlanksAroundKeysAndValues) {
    ParsePropsString(QStringLiteral("  UserID  =  7  ; Conn = { a=1 } ;"));
    EXPECT_EQ(PropsMap()->Keys(), QStringList({"UserID", "Conn"}));
    EXPECT_EQ(GetPropItem(QStringLiteral("UserID")), "7");
    EXPECT_EQ(GetPropItem(QStringLiteral("Conn")), "a=1");
    EXPECT_EQ(CurrentUserID(), 7);
}

TEST(ParsePropsString, DropsWhatFollowsTheClosingBraceUpToTheNextSemicolon) {
    ParsePropsString(QStringLiteral("k={v}junk;next=1"));
    EXPECT_EQ(PropsMap()->Count(), 2);
    EXPECT_EQ(GetPropItem(QStringLiteral("k")), "v");
    EXPECT_EQ(GetPropItem(QStringLiteral("next")), "1");
}

TEST(ParsePropsString, UnclosedBraceRunsToTheEnd) {
    ParsePropsString(QStringLiteral("a=1;k={v;w=2"));
    EXPECT_EQ(GetPropItem(QStringLiteral("k")), "v;w=2");
}

TEST(ParsePropsString, EmptyTextReplacesTheMapWithAnEmptyOne) {
    ParsePropsString(QStringLiteral("UserID=7"));
    EXPECT_TRUE(ParsePropsString(QString()));
    EXPECT_EQ(PropsMap()->Count(), 0);
    EXPECT_THROW(GetPropItem(QStringLiteral("UserID")), HostError);
}

TEST(ParsePropsString, StopsAtTheFirstEmptyKey) {
    ParsePropsString(QStringLiteral("a=1;=2;b=3"));
    EXPECT_EQ(PropsMap()->Keys(), QStringList({"a"}));
}

TEST(ParsePropsString, RepeatedKeyFailsWhateverItsLetterCase) {
    EXPECT_THROW(ParsePropsString(QStringLiteral("UserID=1;userid=2")), HostError);
}

TEST(GetPropItem, MatchesKeysWithoutCaseAndFailsOnMissingOnes) {
    ParsePropsString(QStringLiteral("UserID=16"));
    EXPECT_EQ(GetPropItem(QStringLiteral("USERID")), "16");
    EXPECT_THROW(GetPropItem(QStringLiteral("UserName")), HostError);
}

TEST(CurrentUserID, FailsWhenTheIdDoesNotFitSixteenBitsOrIsNoNumber) {
    ParsePropsString(QStringLiteral("UserID=32767"));
    EXPECT_EQ(CurrentUserID(), 32767);
    ParsePropsString(QStringLiteral("UserID=70000"));
    EXPECT_THROW(CurrentUserID(), HostError);
    ParsePropsString(QStringLiteral("UserID=abc"));
    EXPECT_THROW(CurrentUserID(), HostError);
}
