#include "platform/db/DemoCompany.h"

#include "platform/base/HostError.h"
#include "platform/db/DemoCatalog.h"
#include "platform/db/DemoTrade.h"
#include "platform/db/TraceFunctionRights.h"
#include "platform/db/UserAccounts.h"

namespace qor::db {

namespace {
constexpr uint32_t kDemoSeed = 20260312;

// The sales-order list, which the edit window's order look-up opens.
constexpr int kOrderListModule = 1003;
constexpr int kOrderListDetail = 10;
constexpr qint64 kOrderListView = 0x200000;

void CheckOptions(const DemoOptions& options) {
    if (options.groups < kDemoMinGroups || options.items < kDemoMinItems || options.traces < 0 ||
        options.groups > kDemoMaxGroups || options.items > kDemoMaxItems || options.traces > kDemoMaxTraces)
        throw HostError(QStringLiteral("演示公司至少要有 %1 个物料组和 %2 个物料，记录数不能为负，也不能超过上限。")
                            .arg(kDemoMinGroups)
                            .arg(kDemoMinItems));
}

void Grant(Database& db, int userId, int module, int detail, qint64 mask) {
    db.Execute(QStringLiteral("INSERT INTO t_UserRight (FUserID, FModule, FDetail, FMask) VALUES (?, ?, ?, ?)"),
               {userId, module, detail, mask});
}

void WriteAccounts(Database& db) {
    const QString password = QStringLiteral("demo");
    const int administrator = AddUser(db, QStringLiteral("administrator"), QStringLiteral("系统管理员"), password);
    const int viewer = AddUser(db, QStringLiteral("viewer"), QStringLiteral("查询员"), password);
    const int clerk = AddUser(db, QStringLiteral("clerk"), QStringLiteral("计划员"), password);
    Grant(db, administrator, kTraceFunctionModule, kTraceFunctionDetail, kTraceRightsAll);
    Grant(db, administrator, kOrderListModule, kOrderListDetail, kOrderListView);
    Grant(db, viewer, kTraceFunctionModule, kTraceFunctionDetail, kTraceRightView);
    Grant(db, viewer, kOrderListModule, kOrderListDetail, kOrderListView);
    Grant(db, clerk, kTraceFunctionModule, kTraceFunctionDetail, kTraceRightView | kTraceRightNew | kTraceRightModify);
    Grant(db, clerk, kOrderListModule, kOrderListDetail, kOrderListView);

    const QString setting = QStringLiteral(
        "INSERT INTO t_UserSetting (FUserID, FCategory, FKey, FValue) VALUES (?, 'QOR_APFC', 'RptFontSize', ?)");
    db.Execute(setting, {administrator, QStringLiteral("10.5")});
    db.Execute(setting, {clerk, QStringLiteral("12")});
}

void WriteSystemProfile(Database& db) {
    const QString insert = QStringLiteral("INSERT INTO t_SystemProfile (FCategory, FKey, FValue) VALUES (?, ?, ?)");
    db.Execute(insert, {QStringLiteral("IC"), QStringLiteral("UseOrderBatchTrace"), QStringLiteral("1")});
    db.Execute(insert, {QStringLiteral("IC"), QStringLiteral("UseShortNumber"), QStringLiteral("0")});
    db.Execute(insert, {QStringLiteral("SYS"), QStringLiteral("CompanyName"), QStringLiteral("华宁精密机电有限公司")});
}

// List 32, the sales-order lines the sales-order look-up offers. Conditions
// handed to the list name the order line u1 and the order header v1.
void WriteSalesOrderList(Database& db) {
    db.Execute(
        QStringLiteral("INSERT INTO t_ListDefinition (FListID, FName, FLogicStr, FSelect, FFrom, FWhere, FOrderBy, "
                       "FCaptions) VALUES (32, ?, ?, ?, ?, ?, ?, ?)"),
        {QStringLiteral("销售订单"), QStringLiteral("|FModule:1004|FModelDetail:10|"),
         QStringLiteral("v1.FInterID,u1.FEntryID,v1.FBillNo,v1.FCustName,t1.FNumber AS FItemNumber,"
                        "t1.FName AS FItemName,t1.FModel,ISNULL(t2.FBOMNumber,'') AS FBomNumber,u1.FQty,"
                        "u1.FDeliveryDate"),
         QStringLiteral("SEOrder v1 INNER JOIN SEOrderEntry u1 ON v1.FInterID=u1.FInterID "
                        "INNER JOIN t_ICItem t1 ON u1.FItemID=t1.FItemID "
                        "LEFT JOIN ICBom t2 ON u1.FBomInterID=t2.FInterID"),
         QString(), QStringLiteral("v1.FBillNo,u1.FEntryID"),
         QStringLiteral("内码|分录号|订单编号|购货单位|物料代码|物料名称|规格型号|客户BOM编号|数量|交货日期")});
}
}  // namespace

void CreateDemoCompany(Database& db, const DemoOptions& options) {
    CheckOptions(options);
    if (db.Query(QStringLiteral("SELECT COUNT(*) FROM t_Item"))->Fields(0).Value().toInt() > 0)
        throw HostError(QStringLiteral("公司数据库中已经有资料。演示数据只能写入新建的公司数据库。"));
    DemoRandom random(kDemoSeed);
    db.SetBulkLoad(true);
    try {
        Transaction transaction(db);
        const DemoCatalog catalog = WriteDemoCatalog(db, options, random);
        const std::vector<DemoItemTrade> trade = WriteDemoTrade(db, catalog, options, random);
        WriteDemoTraces(db, trade, options, random);
        WriteAccounts(db);
        WriteSystemProfile(db);
        WriteSalesOrderList(db);
        const QString resetIds = db.SqlDialect().AutoIdResetScript();
        if (!resetIds.isEmpty()) db.ExecuteScript(resetIds);
        transaction.Commit();
    } catch (...) {
        try {
            db.SetBulkLoad(false);
        } catch (...) {
        }
        throw;
    }
    db.SetBulkLoad(false);
}

}  // namespace qor::db
