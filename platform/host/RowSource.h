#pragma once

#include <QStringList>

namespace qor::host {

// An export's event sink that can also hand over a row's texts directly:
// the texts its Export_LoadData(row, cells) would write into the cells, in
// the same order, without a Vector of variants per row. The export asks a
// sink that offers it this way, and any other sink through the event.
class RowSource {
public:
    virtual ~RowSource();

    virtual QStringList RowTexts(int row) const = 0;
};

}  // namespace qor::host
