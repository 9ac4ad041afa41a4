#include "ui/list/GridFonts.h"

#include <gtest/gtest.h>

using namespace qor;

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
