#pragma once

namespace qor {

// Geometry of the edit window in twips: the tab control under the toolbar,
// the panel on its first tab, the grid filling the panel and the grid's two
// columns. The values are the design layout.
struct EditLayout {
    double tabTop = 600;
    double tabWidth = 7485;
    double tabHeight = 5100;
    double panelLeft = 60;  // from the tab control's corner
    double panelTop = 420;
    double panelWidth = 7365;
    double panelHeight = 4620;
    double gridWidth = 7365;
    double gridHeight = 4620;
    double col1Width = 2455;
    double col2Width = 4670;
};

// The design's inner size of the window.
inline constexpr double kEditWindowWidth = 7500;
inline constexpr double kEditWindowHeight = 5700;
// Below this inner width and height the window keeps its layout.
inline constexpr double kArrangeMinimum = 3000;

// Lays the controls out for a window whose inner size is width x height.
void ArrangeEditLayout(EditLayout& layout, double width, double height);

}  // namespace qor
