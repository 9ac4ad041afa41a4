#include "platform/base/Convert.h"
#include "platform/base/HostError.h"
#include "platform/base/SpreadsheetText.h"
#include "platform/base/VisibleText.h"

#include <gtest/gtest.h>

using namespace qor;

TEST(LeadingNumber, ReadsTheNumberAtTheStart) {
    const std::pair<const char*, double> cases[] = {
        {"10.5abc", 10.5}, {"abc", 0}, {"", 0},     {"1004|FModelDetail:3|", 1004},
        {"  -3e2x", -300}, {"7e", 7},  {".5", 0.5}, {"-", 0}};
    for (const auto& [text, number] : cases) EXPECT_DOUBLE_EQ(LeadingNumber(QString::fromUtf8(text)), number) << text;
}

TEST(IntegerConversion, RoundsHalvesToEvenAndFailsOnOverflowOrNonNumbers) {
    EXPECT_EQ(ToInt16(" 12 "), 12);
    EXPECT_EQ(ToInt16(2.5), 2);
    EXPECT_EQ(ToInt16(3.5), 4);
    EXPECT_EQ(ToInt16(true), -1);
    EXPECT_EQ(ToInt32("2147483647"), 2147483647);
    for (const QVariant& bad : {QVariant(32768), QVariant("-32769")}) EXPECT_THROW(ToInt16(bad), HostError);
    for (const QVariant& bad : {QVariant("2147483648"), QVariant("12abc"), QVariant()})
        EXPECT_THROW(ToInt32(bad), HostError);
}

TEST(Text, NullReadsAsEmptyOrZeroAndWholeNumbersWithoutADecimalPoint) {
    EXPECT_EQ(NullToEmpty(QVariant()), QString());
    EXPECT_EQ(NullToEmpty(10.5), "10.5");
    EXPECT_EQ(NullToEmpty(3.0), "3");
    EXPECT_DOUBLE_EQ(NullToZero(QVariant()), 0);
    EXPECT_THROW(ToText(QVariant()), HostError);
}

TEST(VisibleText, ControlCharactersAreWrittenOutButLineBreaksAndTabsStay) {
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("批号\x1b[31m红"), QStringLiteral("批号\\x1B[31m红")},
        {QStringLiteral("a\tb\nc"), QStringLiteral("a\tb\nc")},
        {QString(QChar(0)) + QChar(0x7F) + QChar(0x9B) + QChar(0xA0), QStringLiteral("\\x00\\x7F\\x9B\u00A0")},
    };
    for (const auto& [text, shown] : cases) EXPECT_EQ(qor::WithVisibleControls(text), shown);
}

// Text a spreadsheet would run as a formula gets an apostrophe that an import
// takes away again; other text is left alone both ways.
TEST(SpreadsheetText, FormulaLikeCellsAreNeutralisedAndRestored) {
    const std::pair<QString, QString> cases[] = {
        {"=SUM(A1:A9)", "'=SUM(A1:A9)"},
        {"+86 21", "'+86 21"},
        {"-001", "'-001"},
        {"@cmd", "'@cmd"},
        {"\tB1", "'\tB1"},
        {"B-001", "B-001"},
        {"'quoted", "'quoted"},
        {"", ""},
    };
    for (const auto& [cell, neutralised] : cases) {
        EXPECT_EQ(qor::NeutralisedCell(cell), neutralised);
        EXPECT_EQ(qor::WithoutNeutraliser(neutralised), cell);
    }
}
