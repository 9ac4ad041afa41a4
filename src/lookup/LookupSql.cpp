#include "src/lookup/LookupSql.h"

#include "src/common/SqlQuote.h"
#include "src/lookup/Lookups.h"

namespace qor {

namespace {

const QString kOpenClass7Lines = QStringLiteral(
    " v1.FStatus>0 AND u1.FMrpClosed=0 And u1.FItemID In (SELECT x1.FItemID From t_ICItem x1 WHERE x1.FErpClsID=7)");

QString SalesOrderListFilter(const QString& itemId, const QString& bomId) {
    QString filter;
    if (!itemId.isEmpty()) filter = QStringLiteral(" u1.FItemID=") + itemId;
    if (!bomId.isEmpty()) {
        if (filter.isEmpty())
            filter = QStringLiteral(" u1.FBomInterID=") + bomId;
        else
            filter += QStringLiteral(" AND u1.FBomInterID=") + bomId;
    }
    if (filter.isEmpty()) return kOpenClass7Lines;
    return filter + QStringLiteral(" AND") + kOpenClass7Lines;
}

}  // namespace

QString LookupListFilter(LookupClass cls, const QString& itemId, const QString& bomId) {
    switch (cls) {
        case LookupClass::Item:
            return QStringLiteral(" FErpClsID=7 ");
        case LookupClass::Batch:
            return QStringLiteral(" FItemID=") + itemId;
        case LookupClass::SalesOrder:
            return SalesOrderListFilter(itemId.trimmed(), bomId.trimmed());
        case LookupClass::CustomerBom:
            return QStringLiteral(" t1.FItemID=") + itemId;
        default:
            return QString();
    }
}

QString CodeSearchFilter(LookupClass cls, const QString& itemId) {
    switch (cls) {
        case LookupClass::Item:
            return QStringLiteral(" FErpClsID=7 ");
        case LookupClass::Batch:
            return QStringLiteral(" FItemID=") + itemId;
        case LookupClass::CustomerBom:
            return QStringLiteral(" FItemID=") + itemId + QStringLiteral(" And FBomType=3");
        default:
            return QString();
    }
}

QString BomsOfItemsFilter(const QStringList& itemIds) {
    return QStringLiteral(" FItemID IN (") + itemIds.join(u',') + QStringLiteral(") And FBomType=3");
}

QString SalesOrderResolveSql(const QString& billNo, const QString& itemId, const QString& bomId,
                             const QString& entryFilter) {
    QString conditions = QStringLiteral(" AND u1.FBillNo=") + SqlQuote(billNo, true, false);
    if (!itemId.isEmpty()) conditions += QStringLiteral(" AND v1.FItemID=") + itemId;
    if (!bomId.isEmpty()) conditions += QStringLiteral(" AND v1.FBomInterID=") + bomId;
    if (!entryFilter.isEmpty()) conditions += QStringLiteral(" AND ") + entryFilter;
    return QStringLiteral(
               " SELECT u1.FInterID,u1.FBillNo,v1.FItemID,t1.FName as FItemName,t1.FNumber as FItemNumber,"
               "t1.FModel ") +
           QStringLiteral(
               " ,t1.FErpClsID,t2.FBomNumber,t2.FInterID AS FBomInterID FROM SEOrder u1 Inner Join "
               "SEOrderEntry v1 ") +
           QStringLiteral(" ON u1.FInterID=v1.FInterID Inner Join t_ICItem t1 ") +
           QStringLiteral(" ON v1.FItemID=t1.FItemID Inner Join ICBom t2 ") +
           QStringLiteral(" ON v1.FBomInterID=t2.FInterID ") +
           QStringLiteral(" WHERE v1.FMrpClosed=0 AND u1.FStatus>0 And t1.FErpClsID=7 ") + conditions +
           QStringLiteral(" Order By u1.FInterID,v1.FEntryID");
}

}  // namespace qor
