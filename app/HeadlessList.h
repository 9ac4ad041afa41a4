#pragma once

#include "CommandLine.h"
#include "controls/LedgerGrid.h"
#include "data/CDetail.h"
#include "services/Session.h"

#include <cstdint>

namespace qor::app {

// The list window's grid without the window, for the commands that print,
// export or write the list from the command line: logs the user in, checks
// the command's right, then fills a ledger grid, set up from the column
// schema with the user's grid font, with an item's records (or all of them)
// through CDetail, as a click on the item's node fills the window's grid.
class HeadlessList {
public:
    HeadlessList();

    // False after telling the user why (the login, the right, the item or the
    // query refused), with the exit code in *exitCode.
    bool Open(const ShellOptions& options, int32_t rightMask, const QString& refusal, int* exitCode);

    controls::LedgerGrid& Grid() { return grid_; }
    CDetail& Detail() { return detail_; }

private:
    void SetUpGrid(const VectorPtr& schema);

    services::SessionPtr session_;
    controls::LedgerGrid grid_;
    CDetail detail_;
};

}  // namespace qor::app
