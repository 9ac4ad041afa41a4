#include "src/data/TraceQueries.h"

namespace qor {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString TablePart(const DataRightFragments& rights) {
    return rights.table.isEmpty() ? QString() : QStringLiteral(",") + rights.table;
}

QString ConditionPart(const DataRightFragments& rights) {
    return rights.condition.isEmpty() ? QString() : QStringLiteral(" and ") + rights.condition;
}

QString ItemNumberExpression(bool useShortNumber) {
    return useShortNumber ? QStringLiteral("t1.FShortNumber AS FNumber") : QStringLiteral("t1.FNumber");
}

}  // namespace

QString BuildTraceSql(const QString& strFilter, const QString& strSort, bool useShortNumber,
                      const DataRightFragments& rights) {
    QString filterLine = strFilter;
    if (!rights.condition.isEmpty()) filterLine += QStringLiteral(" and ") + rights.condition;
    const QString order = strSort.trimmed().isEmpty() ? QStringLiteral(" t1.FNumber") : strSort;

    QString sql;
    sql.reserve(600 + strFilter.size() + strSort.size() + rights.table.size() + rights.condition.size());
    sql += QStringLiteral(
               "SELECT v1.FItemID,v1.FBatchNo,t2.FInterID AS FCustBOMID,v2.FInterID AS FOrderInterID,v1.FForbid ,") +
           kCrLf;
    sql += (useShortNumber ? QStringLiteral("   t1.FShortNumber") : QStringLiteral("t1.FNumber")) +
           QStringLiteral(" AS FItemNumber,t1.FName AS FItemName,t1.FModel,") + kCrLf;
    sql += QStringLiteral("   ISNULL(v2.FBillNo,'') AS FOrderBillNo,") + kCrLf;
    sql += QStringLiteral("   ISNULL(t2.FBOMNumber,'') AS FCustBomNo, ") + kCrLf;
    sql += QStringLiteral("   v1.FTraceID ") + kCrLf;
    sql += QStringLiteral("FROM ICOrderBatchTrace v1 INNER JOIN t_ICItem t1 ON v1.FItemID=t1.FItemID") + kCrLf;
    sql += QStringLiteral(" LEFT JOIN SEOrder v2 ON v1.FOrderInterID=v2.FInterID") + kCrLf;
    sql += QStringLiteral(" LEFT JOIN ICBom t2 ON v1.FCustBomID=t2.FInterID") + kCrLf;
    sql += rights.table + kCrLf;
    sql += QStringLiteral("WHERE t1.FErpClsID = 7 ") + kCrLf;
    sql += filterLine + kCrLf;
    sql += QStringLiteral("ORDER BY ") + order + kCrLf;
    return sql;
}

QString BuildItemDetailSql(int nParentID, bool useShortNumber, const DataRightFragments& rights) {
    QString sql = QStringLiteral(" SELECT Distinct t1.FItemID,t1.FName,") + ItemNumberExpression(useShortNumber) +
                  QStringLiteral(",t1.FParentID,1 as FDetail ") + kCrLf + QStringLiteral("FROM t_ICItem t1 ") +
                  TablePart(rights) + QStringLiteral(" WHERE t1.FErpClsid=7 ") + kCrLf;
    if (nParentID > 0) sql += QStringLiteral(" And FParentID=") + QString::number(nParentID) + ConditionPart(rights);
    sql += QStringLiteral(" ORDER BY ") +
           (useShortNumber ? QStringLiteral("t1.FShortNumber") : QStringLiteral("t1.FNumber"));
    return sql;
}

QString BuildParentGroupSql(const DataRightFragments& rights) {
    return QStringLiteral(" SELECT Distinct t1.FParentID ") + kCrLf + QStringLiteral("FROM t_ICItem t1 ") +
           TablePart(rights) + QStringLiteral(" WHERE t1.FErpClsid=7 ");
}

QString BuildParentItemSql(const QString& parentGroupSql, bool useShortNumber, const DataRightFragments& rights) {
    return QStringLiteral("SELECT Distinct t1.FItemID,t1.FName,") + ItemNumberExpression(useShortNumber) +
           QStringLiteral(",t1.FParentID ") + QStringLiteral(" FROM t_Item t1 ") + TablePart(rights) +
           QStringLiteral(" WHERE t1.FItemClassID=4 AND t1.FDetail=0 ") + ConditionPart(rights) +
           QStringLiteral(" Union") + kCrLf +
           QStringLiteral(" SELECT Distinct t1.FItemID,t1.FName,t1.FNumber,t1.FParentID  FROM t_Item t1") +
           QStringLiteral(" Where t1.FItemClassID = 4 And t1.FDetail = 0") + QStringLiteral(" and fitemid in (") +
           parentGroupSql + QStringLiteral(")") + QStringLiteral(" ORDER BY t1.FNumber");
}

}  // namespace qor
