#pragma once

namespace qor {

// Geometry of the list window in twips, laid out by pure functions and
// applied to the widgets at the screen's resolution.
struct TwipRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    double Right() const { return left + width; }
    double Bottom() const { return top + height; }
};

struct ListLayout {
    bool bandVisible = true;
    TwipRect band{0, 0, 9585, 600};
    double line3[2] = {600, 615};  // heights of the etched rule under the toolbar
    TwipRect tree{-15, 720, 2730, 5565};
    TwipRect splitter{2730, 660, 90, 5385};  // imgSplitVer, the strip the mouse grabs
    TwipRect dragBar{2760, 645, 60, 5400};   // picSplitVer, shown while dragging
    double line1[2] = {2760, 2775};          // x of the vertical rule right of the tree
    double line1Top = 600;
    double line1Bottom = 6030;
    TwipRect grid{2835, 720, 5415, 5415};
    bool statusVisible = true;
    double statusHeight = 270;
    double innerWidth = 9585;
    double innerHeight = 6690;
};

inline constexpr double kLayoutMargin = 30;
inline constexpr double kLineSpacing = kLayoutMargin / 2;
inline constexpr double kSplitterLimit = 1680;

// Mode 1: the window's inner size changed to width x height.
void LayoutResize(ListLayout& layout, double width, double height);
// Mode 3: the splitter was released with the tree treeWidth wide.
void LayoutSplitterReleased(ListLayout& layout, double treeWidth);
// Modes 4 and 5: the status bar or the toolbar was shown or hidden; the
// whole window is laid out again at its current size.
void LayoutStatusBarToggled(ListLayout& layout, bool statusVisible);
void LayoutToolBarToggled(ListLayout& layout, bool bandVisible);

// Splitter drag: the bar appears over the strip, follows the mouse within
// 1680 twips of either edge of a window windowWidth wide.
void BeginSplitterDrag(ListLayout& layout);
void MoveSplitterDrag(ListLayout& layout, double mouseXInStrip, double windowWidth);

}  // namespace qor
