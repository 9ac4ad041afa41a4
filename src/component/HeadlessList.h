#pragma once

#include "controls/LedgerGrid.h"
#include "data/CDetail.h"

#include <cstdint>

namespace qor {

// The list window's grid without the window, for the host's commands that
// write, export or print the list: checks the command's right, then fills a
// ledger grid, set up from the column schema with the user's grid font, with
// an item's records (or all of them) through CDetail, as a click on the
// item's node fills the window's grid.
class HeadlessList {
public:
    HeadlessList();

    // itemNumber: the full or short number of an item of ERP class 7; empty
    // for every record. Throws HostError with refusal when the user lacks
    // rightMask, and with the reason when the item is unknown. Answers false
    // when the list could not be read (CDetail has shown why).
    bool Open(const QString& itemNumber, int32_t rightMask, const QString& refusal);

    controls::LedgerGrid& Grid() { return grid_; }
    CDetail& Detail() { return detail_; }

private:
    void SetUpGrid(const VectorPtr& schema);

    controls::LedgerGrid grid_;
    CDetail detail_;
};

}  // namespace qor
