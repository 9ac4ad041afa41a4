#include "src/data/ColumnPlan.h"

#include "platform/base/Convert.h"
#include "platform/base/Variant.h"

namespace qor {

namespace {

ColumnPlanEntry PlanColumn(const DictionaryPtr& d, const Recordset* record) {
    ColumnPlanEntry e;
    if (!d) return e;
    auto number = [&d](const char* key) {
        try {
            return ToInt32(d->Item(QString::fromLatin1(key)));
        } catch (const std::exception&) {
            return -1;
        }
    };
    e.visible = number("FColVisible") == 1;
    e.isFlag = number("FDataType") == 5;
    e.caption = NullToEmpty(d->Item(QStringLiteral("FCaption")));
    if (record) {
        const QString field = number("FLookUpCls") == 4 && !e.isFlag ? QStringLiteral("FItemNumber")
                                                                     : NullToEmpty(d->Item(QStringLiteral("FName")));
        e.field = record->FieldIndex(field);
    }
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
        const auto d = schema->Item(i).value<DictionaryPtr>();
        descriptorVersions_.emplace_back(d, d ? d->Version() : 0);
        entries_.push_back(PlanColumn(d, record.get()));
    }
    return entries_;
}

}  // namespace qor
