#include "src/ui/list/ListLayout.h"

#include <cmath>

namespace qor {

namespace {

// The tree and the grid end 30 above a shown status bar, or at the window's
// bottom when it is hidden. A window too small keeps the last height.
void FitHeight(TwipRect& pane, const ListLayout& layout, double height) {
    if (layout.statusVisible) {
        if (height - layout.statusHeight - kLayoutMargin > pane.top)
            pane.height = height - pane.top - layout.statusHeight - kLayoutMargin;
    } else if (pane.top < height) {
        pane.height = height - pane.top;
    }
}

}  // namespace

void LayoutResize(ListLayout& layout, double width, double height) {
    layout.innerWidth = width;
    layout.innerHeight = height;
    layout.line3[0] = layout.bandVisible ? std::trunc(layout.band.top) + std::trunc(layout.band.height) : kLineSpacing;
    layout.line3[1] = layout.line3[0] + kLineSpacing;

    layout.tree.top = layout.line3[1] + kLayoutMargin;
    layout.grid.top = layout.line3[1] + kLayoutMargin;
    FitHeight(layout.tree, layout, height);
    FitHeight(layout.grid, layout, height);
    if (width - kLayoutMargin > layout.grid.left) layout.grid.width = width - layout.grid.left - kLayoutMargin;

    layout.line1Bottom = layout.tree.Bottom();
    const double splitterHeight = layout.tree.Bottom() - layout.splitter.top;
    if (splitterHeight >= 0) layout.splitter.height = splitterHeight;
}

void LayoutSplitterReleased(ListLayout& layout, double treeWidth) {
    if (treeWidth >= 0) layout.tree.width = treeWidth;
    layout.splitter.left = layout.tree.Right();
    layout.grid.left = layout.splitter.Right();
    const double gridWidth = layout.innerWidth - layout.grid.left - kLayoutMargin;
    if (gridWidth >= 0) layout.grid.width = gridWidth;
    layout.line1[0] = layout.tree.Right() + kLayoutMargin;
    layout.line1[1] = layout.line1[0] + kLineSpacing;
}

void LayoutStatusBarToggled(ListLayout& layout, bool statusVisible) {
    layout.statusVisible = statusVisible;
    LayoutResize(layout, layout.innerWidth, layout.innerHeight);
}

void LayoutToolBarToggled(ListLayout& layout, bool bandVisible) {
    layout.bandVisible = bandVisible;
    LayoutResize(layout, layout.innerWidth, layout.innerHeight);
}

void BeginSplitterDrag(ListLayout& layout) {
    layout.dragBar.left = layout.splitter.left;
    layout.dragBar.top = layout.splitter.top;
    layout.dragBar.width = std::trunc(layout.splitter.width / 2);
    layout.dragBar.height = layout.splitter.height - 20;
}

void MoveSplitterDrag(ListLayout& layout, double mouseXInStrip, double windowWidth) {
    double x = layout.splitter.left + mouseXInStrip;
    if (x < kSplitterLimit) x = kSplitterLimit;
    if (x > windowWidth - kSplitterLimit) x = windowWidth - kSplitterLimit;
    layout.dragBar.left = x;
}

}  // namespace qor
