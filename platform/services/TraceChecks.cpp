#include "platform/services/TraceChecks.h"

#include "platform/base/VisibleText.h"

#include "platform/base/Convert.h"
#include "platform/services/TraceRefusal.h"

#include <algorithm>

namespace qor::services {

namespace {

constexpr int kBatchNoLength = 255;  // ICOrderBatchTrace.FBatchNo VARCHAR(255)

constexpr int kTraceableErpClass = 7;

}  // namespace

void TraceChecks::CheckItem(int itemId) {
    if (itemId == 0) throw TraceRefusal(QStringLiteral("必须录入物料！"));
    auto rs = database_.Query(QStringLiteral("SELECT FNumber, FErpClsID FROM t_ICItem WHERE FItemID = ?"), {itemId});
    if (rs->RecordCount() == 0) throw TraceRefusal(QStringLiteral("物料不存在（内码 %1）！").arg(itemId));
    if (NullToZero(rs->Fields(QStringLiteral("FErpClsID")).Value()) != kTraceableErpClass)
        throw TraceRefusal(QStringLiteral("物料 %1 不是 ERP 属性为 7 的物料，不能建立客户BOM批次对应！")
                               .arg(rs->Fields(QStringLiteral("FNumber")).Text()));
}

void TraceChecks::CheckBatch(const QString& batchNo) {
    if (batchNo.trimmed().isEmpty()) throw TraceRefusal(QStringLiteral("必须录入批号！"));
    // Both back ends store what was sent or nothing: PostgreSQL would cut a
    // text at NUL and refuse an overlong one in English, SQLite keep both.
    if (batchNo.size() > kBatchNoLength)
        throw TraceRefusal(QStringLiteral("批号不能超过 %1 个字符！").arg(kBatchNoLength));
    if (HasControlCharacters(batchNo)) throw TraceRefusal(QStringLiteral("批号中不能有控制字符！"));
}

void TraceChecks::CheckCustomerBom(const TraceRecord& record) {
    if (record.custBomId == 0) return;
    auto rs =
        database_.Query(QStringLiteral("SELECT FBOMNumber, FItemID FROM ICBom WHERE FInterID = ?"), {record.custBomId});
    if (rs->RecordCount() == 0) throw TraceRefusal(QStringLiteral("客户BOM不存在（内码 %1）！").arg(record.custBomId));
    if (NullToZero(rs->Fields(QStringLiteral("FItemID")).Value()) != record.itemId)
        throw TraceRefusal(QStringLiteral("客户BOM %1 不是物料 %2 的BOM！")
                               .arg(rs->Fields(QStringLiteral("FBOMNumber")).Text(), ItemLabel(record.itemId)));
}

void TraceChecks::CheckOrderLine(const TraceRecord& record) {
    if (record.orderInterId == 0) return;
    auto order =
        database_.Query(QStringLiteral("SELECT FBillNo FROM SEOrder WHERE FInterID = ?"), {record.orderInterId});
    if (order->RecordCount() == 0)
        throw TraceRefusal(QStringLiteral("销售订单不存在（内码 %1）！").arg(record.orderInterId));
    const QString billNo = order->Fields(QStringLiteral("FBillNo")).Text();

    if (record.orderEntryId != 0) {
        auto line =
            database_.Query(QStringLiteral("SELECT FItemID FROM SEOrderEntry WHERE FInterID = ? AND FEntryID = ?"),
                            {record.orderInterId, record.orderEntryId});
        if (line->RecordCount() == 0)
            throw TraceRefusal(
                QStringLiteral("销售订单 %1 没有第 %2 行分录！").arg(billNo, QString::number(record.orderEntryId)));
        if (NullToZero(line->Fields(QStringLiteral("FItemID")).Value()) != record.itemId)
            throw TraceRefusal(QStringLiteral("销售订单 %1 第 %2 行分录的物料不是 %3！")
                                   .arg(billNo, QString::number(record.orderEntryId), ItemLabel(record.itemId)));
        return;
    }
    auto lines = database_.Query(
        QStringLiteral("SELECT COUNT(*) AS FCount FROM SEOrderEntry WHERE FInterID = ? AND FItemID = ?"),
        {record.orderInterId, record.itemId});
    if (NullToZero(lines->Fields(0).Value()) == 0)
        throw TraceRefusal(QStringLiteral("销售订单 %1 中没有物料 %2！").arg(billNo, ItemLabel(record.itemId)));
}

void TraceChecks::CheckUnique(const TraceRecord& record) {
    if (HasDuplicate(record)) throw TraceRefusal(DuplicateMessage(record));
}

bool TraceChecks::HasDuplicate(const TraceRecord& record) {
    auto rs = database_.Query(QStringLiteral("SELECT COUNT(*) AS FCount FROM ICOrderBatchTrace "
                                             "WHERE FItemID = ? AND FBatchNo = ? AND FTraceID <> ?"),
                              {record.itemId, record.batchNo, record.traceId});
    return NullToZero(rs->Fields(0).Value()) != 0;
}

QString TraceChecks::DuplicateMessage(const TraceRecord& record) {
    return QStringLiteral("物料 %1 的批号 %2 已有对应记录，同一物料的同一批号只能有一条记录！")
        .arg(ItemLabel(record.itemId), record.batchNo);
}

QString TraceChecks::ItemLabel(int itemId) {
    auto rs = database_.Query(QStringLiteral("SELECT FNumber FROM t_ICItem WHERE FItemID = ?"), {itemId});
    const QString number = rs->RecordCount() > 0 ? rs->Fields(0).Text() : QString();
    return number.isEmpty() ? QString::number(itemId) : number;
}

}  // namespace qor::services
