#pragma once

namespace qor {

// What the list's data access needs of the grid that shows the list: its
// row count (1 is the header row alone), its column count, and which columns
// the schema hides. The window's grid answers through an adapter, so the data
// access builds without widgets.
class ListGrid {
public:
    virtual ~ListGrid() = default;
    virtual int Rows() const = 0;
    virtual void SetRows(int rows) = 0;
    virtual int Cols() const = 0;
    virtual void SetColHidden(int col, bool hidden) = 0;
};

}  // namespace qor
