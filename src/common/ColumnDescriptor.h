#pragma once

#include "platform/base/Dictionary.h"
#include "platform/base/Vector.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace qor {

// A column of the trace record's schema, read into types once. The schema
// stays a Vector of Dictionaries where it crosses the host's interface
// (VectCol); inside the module the list grid, the row texts, the ban record
// and the edit window read their columns through this.
struct ColumnDescriptor {
    DictionaryPtr source;   // the schema's entry; null when the entry is no Dictionary
    QString name;           // FName
    QString caption;        // FCaption
    int32_t lookUpCls = 0;  // FLookUpCls; 0 when missing or not a whole number
    int32_t colWidth = 0;   // FColWidth, twips
    int32_t dataType = -1;  // FDataType; -1 when missing or not a whole number
    bool locked = false;    // FLocked non-zero: read-only in the edit window
    // FColVisible exactly 1: the list shows the column at its width.
    bool listed = false;
    // FColVisible true: the edit window has a row for it, a save and a ban
    // send it.
    bool visible = false;
};

ColumnDescriptor ReadColumn(const QVariant& entry);
// Every entry of the schema, in order; empty without a schema.
std::vector<ColumnDescriptor> ReadColumns(const VectorPtr& schema);

}  // namespace qor
