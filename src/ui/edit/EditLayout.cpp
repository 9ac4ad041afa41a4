#include "src/ui/edit/EditLayout.h"

namespace qor {

namespace {
constexpr double kTabRightMargin = 15;
constexpr double kPanelBottomMargin = 60;
constexpr double kPanelSideMargins = 120;
// Room the second column leaves for the grid's border and scroll bar.
constexpr double kCol2Allowance = 240;
}  // namespace

void ArrangeEditLayout(EditLayout& layout, double width, double height) {
    if (width < kArrangeMinimum && height < kArrangeMinimum) return;
    layout.tabWidth = width - kTabRightMargin;
    layout.tabHeight = height - layout.tabTop;
    layout.panelHeight = layout.tabHeight - layout.panelTop - kPanelBottomMargin;
    layout.panelWidth = layout.tabWidth - kPanelSideMargins;
    layout.gridWidth = layout.panelWidth;
    layout.gridHeight = layout.panelHeight;
    layout.col1Width = layout.gridWidth / 3;
    layout.col2Width = 2 * layout.gridWidth / 3 - kCol2Allowance;
}

}  // namespace qor
