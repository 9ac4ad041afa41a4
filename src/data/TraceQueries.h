#pragma once

#include <QString>

namespace qor {

// Row-level restrictions the data-right service adds to a query: further
// tables (or a join clause) and a condition. Either may be empty.
struct DataRightFragments {
    QString table;
    QString condition;
};

// The list statement: twelve lines, each ended by CR LF. strFilter goes in as
// given (callers start it with a conjunction); strSort replaces the default
// order " t1.FNumber" when it is not blank.
QString BuildTraceSql(const QString& strFilter, const QString& strSort, bool useShortNumber,
                      const DataRightFragments& rights);

// The items of ERP class 7 for the tree; nParentID > 0 restricts them to one group.
QString BuildItemDetailSql(int nParentID, bool useShortNumber, const DataRightFragments& rights);

// The sub-query of the groups that directly contain the rights-visible items.
QString BuildParentGroupSql(const DataRightFragments& rights);

// The item groups: the rights-visible ones and every group holding a
// rights-visible item of class 7, by full number.
QString BuildParentItemSql(const QString& parentGroupSql, bool useShortNumber, const DataRightFragments& rights);

}  // namespace qor
