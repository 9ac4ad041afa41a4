#pragma once

#include "platform/base/Recordset.h"
#include "src/lookup/Lookups.h"

#include <QString>
#include <cstdint>

namespace qor {

class PropertyRows;
struct RowValue;

// The look-ups of the edit grid: the selection list opened with F7 or F8
// and the resolution of a code typed into a row, with the dependent rows
// each of them fills or empties.
class PropertyLookups {
public:
    explicit PropertyLookups(PropertyRows& rows) : rows_(rows) {}

    // The sales-order line the last list look-up returned; 0 at start.
    int32_t EntryID() const { return entryId_; }

    // Opens the selection list of the row's class seeded with search and
    // puts the chosen code into the row's cell. A list closed without a
    // choice leaves everything as it was. The list's result, 0 for a row
    // without look-up or a list that cannot open yet.
    int32_t LookupList(int32_t row, const QString& search);
    // Resolves text typed into the row: 1 resolved (a batch number that
    // does not exist yet is taken as typed), 0 nothing to resolve and the
    // row is to be emptied, -1 not resolved and the cursor is to stay.
    int32_t ResolveInput(int32_t row, const QString& text);
    // The check run when the cursor leaves the row's cell or the focus
    // leaves the grid; false when the cursor must stay in the cell.
    bool LeaveCell(int32_t row);

private:
    // The records whose code is text, for a row of class cls.
    RecordsetPtr Search(LookupClass cls, RowValue& value, const QString& text);
    void FillDependentRows(LookupClass cls, int32_t row, const Recordset& found);
    void EmptySalesOrder();
    QString ChosenId(const char* name) const;

    PropertyRows& rows_;
    int32_t entryId_ = 0;
    bool inLeaveCell_ = false;
};

}  // namespace qor
