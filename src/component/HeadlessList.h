#pragma once

#include "platform/controls/LedgerGrid.h"
#include "src/data/CDetail.h"
#include "src/ui/list/TraceListGrid.h"

#include <QLabel>

#include <cstdint>

namespace qor {

inline const QString kNoViewRight = QStringLiteral("当前用户没有查看权限！请与系统管理员联系！");

// The list window's grid without the window, for the host's commands that
// write, export or print the list: checks the command's right, then sets up a
// ledger grid as the window sets up its own and fills it with an item's
// records (or all of them), as a click on the item's node does.
class HeadlessList {
public:
    HeadlessList();

    // itemNumber: the full or short number of an item of ERP class 7; empty
    // for every record. Throws HostError with kNoViewRight when the user may
    // not view the list, with refusal when the user lacks extraRight (0: none
    // asked), and with the reason when the item is unknown. Answers false
    // when the list could not be read (CDetail has shown why).
    bool Open(const QString& itemNumber, int32_t extraRight = 0, const QString& refusal = {});

    controls::LedgerGrid& Grid() { return grid_; }
    CDetail& Detail() { return detail_; }

private:
    controls::LedgerGrid grid_;
    QLabel fontProbe_;
    TraceListGrid listGrid_{grid_, fontProbe_};
    CDetail detail_;
};

}  // namespace qor
