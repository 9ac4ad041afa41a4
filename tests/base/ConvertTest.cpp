#include "base/Convert.h"
#include "base/HostError.h"

#include <gtest/gtest.h>

using namespace qor;

TEST(LeadingNumber, ReadsTheNumberAtTheStart) {
    EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("10.5abc")), 10.5);
    EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("abc")), 0);
    EXPECT_DOUBLE_EQ(LeadingNumber(QString()), 0);
    EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("1004|FModelDetail:3|")), 1004);
    EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("  -3e2x")), -300);
    EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("7e")), 7);
    EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral(".5")), 0.5);
    EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("-")), 0);
}

TEST(IntegerConversion, RoundsHalvesToEvenAndFailsOnOverflowOrNonNumbers) {
    EXPECT_EQ(ToInt16(QStringLiteral(" 12 ")), 12);
    EXPECT_EQ(ToInt16(2.5), 2);
    EXPECT_EQ(ToInt16(3.5), 4);
    EXPECT_EQ(ToInt16(true), -1);
    EXPECT_EQ(ToInt16(32767), 32767);
    EXPECT_THROW(ToInt16(32768), HostError);
    EXPECT_THROW(ToInt16(QStringLiteral("-32769")), HostError);
    EXPECT_EQ(ToInt32(QStringLiteral("2147483647")), 2147483647);
    EXPECT_THROW(ToInt32(QStringLiteral("2147483648")), HostError);
    EXPECT_THROW(ToInt32(QStringLiteral("12abc")), HostError);
    EXPECT_THROW(ToInt32(QString()), HostError);
    EXPECT_THROW(ToInt32(QVariant()), HostError);
}

TEST(Truthiness, AcceptsFlagsNumbersAndBooleanTexts) {
    EXPECT_TRUE(ToBool(1));
    EXPECT_TRUE(ToBool(-1));
    EXPECT_FALSE(ToBool(0));
    EXPECT_TRUE(ToBool(QStringLiteral("True")));
    EXPECT_FALSE(ToBool(QStringLiteral("false")));
    EXPECT_TRUE(ToBool(QStringLiteral("2")));
    EXPECT_THROW(ToBool(QStringLiteral("yes")), HostError);
    EXPECT_THROW(ToBool(QVariant()), HostError);
}

TEST(NullReaders, TurnNullIntoEmptyTextOrZero) {
    EXPECT_EQ(NullToEmpty(QVariant()), QString());
    EXPECT_EQ(NullToEmpty(12), "12");
    EXPECT_EQ(NullToEmpty(10.5), "10.5");
    EXPECT_EQ(NullToEmpty(3.0), "3");
    EXPECT_EQ(NullToEmpty(true), "True");
    EXPECT_DOUBLE_EQ(NullToZero(QVariant()), 0);
    EXPECT_DOUBLE_EQ(NullToZero(QStringLiteral("4.25")), 4.25);
    EXPECT_THROW(ToText(QVariant()), HostError);
}
