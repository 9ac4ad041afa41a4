#include "src/common/ColumnDescriptor.h"

#include "platform/base/Convert.h"

#include <exception>

namespace qor {

namespace {

int32_t WholeNumber(const QVariant& value, int32_t unreadable) {
    try {
        return ToInt32(value);
    } catch (const std::exception&) {
        return unreadable;
    }
}

// A schema from the host may hold anything; what cannot be read counts as
// 0, false or missing instead of failing the window that reads it.
double NumberOr(const QVariant& value, double unreadable) {
    try {
        return NullToZero(value);
    } catch (const std::exception&) {
        return unreadable;
    }
}

}  // namespace

ColumnDescriptor ReadColumn(const QVariant& entry) {
    ColumnDescriptor column;
    column.source = entry.value<DictionaryPtr>();
    const Dictionary* d = column.source.get();
    if (!d) return column;
    column.name = NullToEmpty(d->GetValue(QStringLiteral("FName"), QString()));
    column.caption = NullToEmpty(d->GetValue(QStringLiteral("FCaption"), QString()));
    column.lookUpCls = WholeNumber(d->GetValue(QStringLiteral("FLookUpCls"), 0), 0);
    column.colWidth = static_cast<int32_t>(NumberOr(d->GetValue(QStringLiteral("FColWidth"), 0), 0));
    column.dataType = WholeNumber(d->GetValue(QStringLiteral("FDataType"), QStringLiteral("-1")), -1);
    column.locked = NumberOr(d->GetValue(QStringLiteral("FLocked"), 0), 0) != 0;
    const QVariant visible = d->GetValue(QStringLiteral("FColVisible"), QStringLiteral("0"));
    column.listed = WholeNumber(visible, -1) == 1;
    column.visible = IsTrueFlag(visible);
    return column;
}

std::vector<ColumnDescriptor> ReadColumns(const VectorPtr& schema) {
    std::vector<ColumnDescriptor> columns;
    if (!schema) return columns;
    columns.reserve(static_cast<size_t>(schema->Count()));
    for (int i = 1; i <= schema->Count(); ++i) columns.push_back(ReadColumn(schema->Item(i)));
    return columns;
}

}  // namespace qor
