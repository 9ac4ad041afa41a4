#include "platform/services/ItemDetailQuery.h"

#include "platform/base/HostError.h"
#include "platform/services/SqlConditions.h"

#include <QStringList>

namespace qor::services {

namespace {
constexpr int kItemClass = 4;
constexpr int kBatchClass = 18;
constexpr int kCustomerBomClass = -101;

QString CodeColumn(bool useShortNumber) {
    return useShortNumber ? QStringLiteral("FShortNumber") : QStringLiteral("FNumber");
}

QString ItemStatement(bool useShortNumber) {
    return QStringLiteral("SELECT FItemID, FName, %1 AS FNumber, FModel").arg(CodeColumn(useShortNumber));
}

QString CodeCondition(bool useShortNumber) { return CodeColumn(useShortNumber) + QStringLiteral(" = ?"); }

QString BomStatement() {
    return QStringLiteral(
        "SELECT FInterID AS FItemID, FBOMNumber AS FName, FBOMNumber AS FNumber, FInterID, "
        "FBOMNumber AS FBomNumber");
}
}  // namespace

RecordsetPtr QueryItemDetail(db::Database& database, int cls, const QString& text, bool useShortNumber,
                             const QString& extra) {
    switch (cls) {
        case kItemClass:
            return database.Query(ItemStatement(useShortNumber) + QStringLiteral(" FROM t_ICItem") +
                                      WhereClause({CodeCondition(useShortNumber), extra}),
                                  {text});
        case kBatchClass:
            return database.Query(
                QStringLiteral("SELECT DISTINCT FBatchNo AS FItemID, FBatchNo AS FName, FBatchNo AS FNumber, FBatchNo "
                               "FROM (SELECT FItemID, FBatchNo FROM ICInventory "
                               "UNION SELECT FItemID, FBatchNo FROM ICOrderBatchTrace) b") +
                    WhereClause({QStringLiteral("FBatchNo = ?"), extra}),
                {text});
        case kCustomerBomClass:
            return database.Query(
                BomStatement() + QStringLiteral(" FROM ICBom") + WhereClause({QStringLiteral("FBOMNumber = ?"), extra}),
                {text});
        default:
            throw HostError(QStringLiteral("不支持类别 %1 的代码查询。").arg(cls));
    }
}

RecordsetPtr QueryItemDetails(db::Database& database, int cls, const QStringList& codes, bool useShortNumber,
                              const QString& extra) {
    if (codes.size() > kMostCodesAtOnce)
        throw HostError(QStringLiteral("一次最多查找 %1 个代码。").arg(kMostCodesAtOnce));
    const QString in = InMarks(codes.size());
    QVariantList params;
    params.reserve(codes.size());
    for (const QString& code : codes) params << code;
    switch (cls) {
        case kItemClass:
            return database.Query(ItemStatement(useShortNumber) +
                                      QStringLiteral(", FItemID AS FOwnerID FROM t_ICItem") +
                                      WhereClause({CodeColumn(useShortNumber) + in, extra}),
                                  params);
        case kCustomerBomClass:
            return database.Query(BomStatement() + QStringLiteral(", FItemID AS FOwnerID FROM ICBom") +
                                      WhereClause({QStringLiteral("FBOMNumber") + in, extra}),
                                  params);
        default:
            throw HostError(QStringLiteral("不支持类别 %1 的批量代码查询。").arg(cls));
    }
}

}  // namespace qor::services
