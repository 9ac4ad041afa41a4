#include "platform/services/ItemDetailQuery.h"

#include "platform/base/HostError.h"
#include "platform/services/SqlConditions.h"

namespace qor::services {

namespace {
constexpr int kItemClass = 4;
constexpr int kBatchClass = 18;
constexpr int kCustomerBomClass = -101;

QString ItemStatement(bool useShortNumber) {
    const QString number = useShortNumber ? QStringLiteral("FShortNumber") : QStringLiteral("FNumber");
    return QStringLiteral("SELECT FItemID, FName, %1 AS FNumber, FModel FROM t_ICItem").arg(number);
}

QString CodeCondition(bool useShortNumber) {
    return useShortNumber ? QStringLiteral("FShortNumber = ?") : QStringLiteral("FNumber = ?");
}
}  // namespace

RecordsetPtr QueryItemDetail(db::Database& database, int cls, const QString& text, bool useShortNumber,
                             const QString& extra) {
    switch (cls) {
        case kItemClass:
            return database.Query(ItemStatement(useShortNumber) + WhereClause({CodeCondition(useShortNumber), extra}),
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
                QStringLiteral("SELECT FInterID AS FItemID, FBOMNumber AS FName, FBOMNumber AS FNumber, FInterID, "
                               "FBOMNumber AS FBomNumber FROM ICBom") +
                    WhereClause({QStringLiteral("FBOMNumber = ?"), extra}),
                {text});
        default:
            throw HostError(QStringLiteral("不支持类别 %1 的代码查询。").arg(cls));
    }
}

}  // namespace qor::services
