#include "ui/list/GridFonts.h"

#include <gtest/gtest.h>

using namespace qor;

TEST(GridFonts, StoredFontIsReadFromItsPackedText) {
    EXPECT_FALSE(ParseGridFont(""));
    const auto font = ParseGridFont("FontName=宋体|FontSize=10.5|FontBold=1|FontItalic=0|");
    ASSERT_TRUE(font);
    EXPECT_EQ(font->name, "宋体");
    EXPECT_DOUBLE_EQ(font->size, 10.5);
    EXPECT_TRUE(font->bold);
    EXPECT_FALSE(font->italic);
}

TEST(GridFonts, ReportSizesFrom9To18AreAppliedOnce) {
    EXPECT_TRUE(ShouldApplyReportSize(9, 0));
    EXPECT_FALSE(ShouldApplyReportSize(9, 9));
    EXPECT_TRUE(ShouldApplyReportSize(18, 9));
    EXPECT_FALSE(ShouldApplyReportSize(20, 0));
    EXPECT_FALSE(ShouldApplyReportSize(8, 0));
}

TEST(GridFonts, RowHeightIsTextHeightPlus30AtLeast285) {
    EXPECT_EQ(ReportRowHeight(180), 285);
    EXPECT_EQ(ReportRowHeight(255), 285);
    EXPECT_EQ(ReportRowHeight(300.4), 330);
    EXPECT_EQ(ReportRowHeight(300.6), 331);
}
