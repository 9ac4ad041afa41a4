#pragma once

#include "src/lookup/Lookups.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace qor {

// One searchable field of the trace list in the filter and sort dialog.
struct SearchField {
    QString fieldName;
    QString fieldCaption;
    LookupClass lookupClass = LookupClass::None;  // what F7 in the value cell opens
    int32_t returnKind = 0;                       // what an item look-up writes: 1 number, 2 name
    int32_t inUse = 1;
    QString entry;       // the user's order (sort) or value (filter)
    QString tableAlias;  // alias of the column's table in the list statement
};

// The six fields, in grid order.
std::vector<SearchField> InitialSearchFields();

// "(无)", "等于", "不等", "小于", "大于", "包含", "不包含".
const QStringList& FilterComparisons();
// "(无)", "升序", "降序".
const QStringList& SortOrders();

// The ORDER BY list of the fields' orders, in field order; empty when no
// field has one.
QString BuildSortList(const std::vector<SearchField>& fields);

// The sort list the dialog raises when the one field behind the list column
// named columnName (a schema FName) is set to ascending or descending;
// empty for a column the dialog cannot sort by.
QString ColumnSortList(const QString& columnName, bool descending);

// The WHERE fragment of the fields' values under the comparisons chosen for
// them (comparisons[i] for field i); every condition starts with " AND ".
// Values go in untrimmed, their single quotes doubled.
QString BuildFilterFragment(const std::vector<SearchField>& fields, const QStringList& comparisons);

}  // namespace qor
