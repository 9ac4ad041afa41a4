#pragma once

#include "platform/base/Vector.h"
#include "platform/host/Dispatch.h"

namespace qor::controls {
class LedgerGrid;
}

namespace qor {

// The list window's side of an export: answers the export component's
// Export_LoadData(nRow, ColData) with the display texts of export row nRow,
// the grid's visible cells numbered 1, 2, ... in grid order.
class ExportEvents : public host::Dispatch {
public:
    explicit ExportEvents(controls::LedgerGrid& grid);

    void Export_LoadData(int32_t nRow, Vector& ColData) const;

private:
    controls::LedgerGrid& grid_;
};

}  // namespace qor
