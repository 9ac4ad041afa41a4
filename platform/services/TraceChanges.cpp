#include "platform/services/TraceChanges.h"

#include "platform/base/Convert.h"
#include "platform/services/TraceRefusal.h"

#include <cmath>
#include <limits>

namespace qor::services {

namespace {

QString Shown(const QVariant& value) { return value.canConvert<QString>() ? value.toString() : QString(); }

bool IsBlankText(const QVariant& value) {
    return value.typeId() == QMetaType::QString && value.toString().trimmed().isEmpty();
}

int ReadId(const QVariant& value, const QString& what) {
    if (IsNull(value) || IsBlankText(value)) return 0;
    double number = -1;
    if (value.typeId() != QMetaType::Bool) {
        try {
            number = ToDouble(value);
        } catch (const HostError&) {
        }
    }
    if (number < 0 || number != std::floor(number) || number > std::numeric_limits<int>::max())
        throw TraceRefusal(QStringLiteral("%1的内码“%2”不正确！").arg(what, Shown(value)));
    return static_cast<int>(number);
}

bool ReadFlag(const QVariant& value) {
    if (IsNull(value) || IsBlankText(value)) return false;
    try {
        return ToBool(value);
    } catch (const HostError&) {
        throw TraceRefusal(QStringLiteral("禁用标志“%1”不正确！").arg(Shown(value)));
    }
}

QString ReadBatch(const QVariant& value) {
    try {
        return NullToEmpty(value).trimmed();
    } catch (const HostError&) {
        throw TraceRefusal(QStringLiteral("批号不正确！"));
    }
}

}  // namespace

TraceChanges TraceChanges::FromDictionary(const Dictionary& fields) {
    TraceChanges changes;
    const auto has = [&fields](const char* key) { return fields.Exists(QLatin1String(key)); };
    const auto item = [&fields](const char* key) { return fields.Item(QLatin1String(key)); };
    if (has("FItemID")) changes.itemId = ReadId(item("FItemID"), QStringLiteral("物料"));
    if (has("FBatchNo")) changes.batchNo = ReadBatch(item("FBatchNo"));
    if (has("FCustBomNo")) changes.custBomId = ReadId(item("FCustBomNo"), QStringLiteral("客户BOM"));
    if (has("FOrderBillNo")) changes.orderInterId = ReadId(item("FOrderBillNo"), QStringLiteral("销售订单"));
    if (has("EntryID")) changes.orderEntryId = ReadId(item("EntryID"), QStringLiteral("销售订单分录"));
    if (has("FForBid")) changes.forbid = ReadFlag(item("FForBid"));
    return changes;
}

TraceRecord TraceChanges::AppliedTo(const TraceRecord& record) const {
    TraceRecord result = record;
    result.itemId = itemId.value_or(record.itemId);
    result.batchNo = batchNo.value_or(record.batchNo);
    result.custBomId = custBomId.value_or(record.custBomId);
    result.orderInterId = orderInterId.value_or(record.orderInterId);
    if (orderEntryId)
        result.orderEntryId = *orderEntryId;
    else if (result.orderInterId != record.orderInterId)
        result.orderEntryId = 0;
    if (result.orderInterId == 0) result.orderEntryId = 0;
    result.forbid = forbid.value_or(record.forbid);
    return result;
}

}  // namespace qor::services
