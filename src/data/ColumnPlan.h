#pragma once

#include "platform/base/Dictionary.h"
#include "platform/base/Recordset.h"
#include "platform/base/Vector.h"

#include <vector>

namespace qor {

// What a row text needs of each column descriptor, read once from the schema
// and the recordset's field list instead of once per cell. It stays valid
// while neither the schema, any of its descriptors nor the recordset changes.
struct ColumnPlanEntry {
    bool visible = false;
    bool isFlag = false;  // FDataType 5: "Y" when the value is 1
    int field = -1;       // recordset column shown, -1 when it has none
    QString caption;
};

class ColumnPlan {
public:
    // Rebuilds when the schema or the recordset differ from the last call.
    const std::vector<ColumnPlanEntry>& For(const VectorPtr& schema, const RecordsetPtr& record);

private:
    bool IsCurrent(const VectorPtr& schema, const RecordsetPtr& record) const;

    VectorPtr schema_;
    std::weak_ptr<Recordset> record_;
    uint64_t schemaVersion_ = 0;
    std::vector<std::pair<DictionaryPtr, uint64_t>> descriptorVersions_;
    std::vector<ColumnPlanEntry> entries_;
};

}  // namespace qor
