#include "src/data/ColumnPlan.h"

#include "src/common/ColumnDescriptor.h"

namespace qor {

namespace {

ColumnPlanEntry PlanColumn(const ColumnDescriptor& column, const Recordset* record) {
    ColumnPlanEntry e;
    if (!column.source) return e;
    e.visible = column.listed;
    e.isFlag = column.dataType == 5;
    e.caption = column.caption;
    if (record)
        e.field = record->FieldIndex(column.lookUpCls == 4 && !e.isFlag ? QStringLiteral("FItemNumber") : column.name);
    return e;
}

}  // namespace

bool ColumnPlan::IsCurrent(const VectorPtr& schema, const RecordsetPtr& record) const {
    if (schema != schema_ || record != record_.lock() || schema->Version() != schemaVersion_) return false;
    for (const auto& [descriptor, version] : descriptorVersions_)
        if (descriptor && descriptor->Version() != version) return false;
    return true;
}

const std::vector<ColumnPlanEntry>& ColumnPlan::For(const VectorPtr& schema, const RecordsetPtr& record) {
    if (!schema) {
        entries_.clear();
        schema_.reset();
        return entries_;
    }
    if (IsCurrent(schema, record)) return entries_;
    schema_ = schema;
    record_ = record;
    schemaVersion_ = schema->Version();
    entries_.clear();
    descriptorVersions_.clear();
    for (int i = 1; i <= schema->Count(); ++i) {
        const ColumnDescriptor column = ReadColumn(schema->Item(i));
        descriptorVersions_.emplace_back(column.source, column.source ? column.source->Version() : 0);
        entries_.push_back(PlanColumn(column, record.get()));
    }
    return entries_;
}

}  // namespace qor
