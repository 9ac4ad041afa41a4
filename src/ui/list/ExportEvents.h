#pragma once

#include "platform/base/Vector.h"
#include "platform/host/Dispatch.h"
#include "platform/host/RowSource.h"

namespace qor::controls {
class LedgerGrid;
}

namespace qor {

// The list window's side of an export: answers the export component's
// Export_LoadData(nRow, ColData) with the display texts of export row nRow,
// the grid's visible cells numbered 1, 2, ... in grid order; RowTexts hands
// the same texts over directly.
class ExportEvents : public host::Dispatch, public host::RowSource {
public:
    explicit ExportEvents(controls::LedgerGrid& grid);

    void Export_LoadData(int32_t nRow, Vector& ColData) const;
    QStringList RowTexts(int row) const override;

private:
    controls::LedgerGrid& grid_;
};

}  // namespace qor
