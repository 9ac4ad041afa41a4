#include "ui/list/ListLayout.h"

#include <gtest/gtest.h>

using namespace qor;

TEST(ListLayout, PanesEndAboveTheStatusBarOrAtTheBottomAndStartBelowTheRule) {
    ListLayout l;
    LayoutResize(l, 12000, 8000);
    EXPECT_EQ(l.line3[0], 600);
    EXPECT_EQ(l.tree.top, 645);
    EXPECT_EQ(l.tree.Bottom(), 8000 - 270 - 30);
    EXPECT_EQ(l.grid.Bottom(), 8000 - 270 - 30);
    EXPECT_EQ(l.grid.width, 12000 - 2835 - 30);

    LayoutStatusBarToggled(l, false);
    EXPECT_EQ(l.tree.Bottom(), 8000);
    EXPECT_EQ(l.grid.Bottom(), 8000);
    LayoutToolBarToggled(l, false);
    EXPECT_EQ(l.line3[0], 15);
    EXPECT_EQ(l.line3[1], 30);
    EXPECT_EQ(l.grid.top, 60);
}

TEST(ListLayout, TooSmallAWindowKeepsTheLastSizes) {
    ListLayout l;
    LayoutResize(l, 12000, 8000);
    const TwipRect tree = l.tree;
    const TwipRect grid = l.grid;
    LayoutResize(l, 1000, 500);
    EXPECT_EQ(l.grid.height, grid.height);
    EXPECT_EQ(l.grid.width, grid.width);
    LayoutStatusBarToggled(l, false);  // top 645 is below 500: still kept
    EXPECT_EQ(l.tree.height, tree.height);
}

TEST(ListLayout, SplitterDragStopsAt1680FromEitherEdge) {
    ListLayout l;
    LayoutResize(l, 9585, 6690);
    BeginSplitterDrag(l);
    EXPECT_EQ(l.dragBar.left, l.splitter.left);
    MoveSplitterDrag(l, -2000, 9585);
    EXPECT_EQ(l.dragBar.left, 1680);
    MoveSplitterDrag(l, 9000, 9585);
    EXPECT_EQ(l.dragBar.left, 9585 - 1680);
    MoveSplitterDrag(l, 270, 9585);
    EXPECT_EQ(l.dragBar.left, 3000);

    LayoutSplitterReleased(l, l.dragBar.left);
    EXPECT_EQ(l.tree.width, 3000);
    EXPECT_EQ(l.grid.left, 2985 + 90);
    EXPECT_EQ(l.grid.width, 9585 - 3075 - 30);
}
