#pragma once

#include "platform/base/Dictionary.h"
#include "platform/base/Recordset.h"
#include "platform/base/Vector.h"
#include "src/common/ColumnDescriptor.h"
#include "src/lookup/Lookups.h"
#include "src/ui/edit/RowValue.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace qor::controls {
class PropertyGrid;
}

namespace qor {

// The rows of the edit grid bound to the column schema: row r shows
// descriptor r (its caption and its value) and keeps in RowValue r what the
// value stands for. Descriptors that are not visible keep their row, hidden.
class PropertyRows {
public:
    explicit PropertyRows(controls::PropertyGrid& grid) : grid_(grid) {}

    const VectorPtr& Schema() const { return schema_; }
    void SetSchema(VectorPtr schema);

    // Builds the grid from the schema; settles the ban cell's lock by the
    // user's ban right, in the shared schema.
    void InitGrid();
    // Fills the item rows from the opener's item record for a new record.
    void LoadNew(const RecordsetPtr& record);
    // Fills every row from the current record of a list recordset; false and
    // nothing changed when it holds no current record.
    bool LoadExisting(const RecordsetPtr& record);
    void ClearForNew();
    void LockCells(bool lock);
    // Position of the descriptor named name (compared in upper case); -1
    // when there is none.
    int32_t FindRow(const QString& name) const;

    // Throws HostError for a row outside the schema.
    RowValue& Row(int32_t row);
    const RowValue& Row(int32_t row) const;
    qor::LookupClass LookupClass(int32_t row) const;
    QString Name(int32_t row) const;
    // Text of the row's value cell, and its change.
    QString CellText(int32_t row) const;
    void SetCellText(int32_t row, const QString& text);
    // The value cell of the row named name; skipped when there is none.
    void SetCellTextOf(const QString& name, const QString& text);

    controls::PropertyGrid& Grid() const { return grid_; }

private:
    int Count() const;
    size_t Index(int32_t row) const;
    // Throws HostError for an entry of the schema that is no descriptor.
    const ColumnDescriptor& Column(int position) const;
    void InitValueCell(int position);

    controls::PropertyGrid& grid_;
    VectorPtr schema_;
    std::vector<ColumnDescriptor> columns_;  // read from schema_, index position - 1
    std::vector<RowValue> values_;           // index row - 1
};

}  // namespace qor
