#include "src/data/TraceFinder.h"

#include "platform/base/Convert.h"
#include "src/common/HostValues.h"
#include "src/common/KeptInstances.h"
#include "src/common/LoginContext.h"
#include "src/common/ShortNumberSwitch.h"
#include "src/data/ItemDataRights.h"
#include "src/host/ProgIds.h"

namespace qor {

FoundTraces FindTraceRecords(const TraceSearch& search, qint64 before, int limit) {
    const DataRightFragments rights = ItemDataRights(QStringLiteral("v1"));
    auto getData = CreateComponent(QString::fromLatin1(host::progid::kGetData));
    const DictionaryPtr page = AsDictionary(getData->Call(
        QStringLiteral("FindTraces"), {GetPropsString(), static_cast<int>(search.scope), static_cast<int>(search.match),
                                       search.text, UseShortNumber(), before, limit, rights.table, rights.condition}));
    FoundTraces found;
    found.rows = AsRecordset(page->GetValue(QStringLiteral("Rows"), {}));
    found.more = ToBool(page->GetValue(QStringLiteral("More"), {}));
    found.nextBefore = page->GetValue(QStringLiteral("NextBefore"), {}).toLongLong();
    return found;
}

QStringList FoundCaptions() {
    return {QStringLiteral("物料代码"),     QStringLiteral("物料名称"), QStringLiteral("规格型号"),
            QStringLiteral("销售订单编号"), QStringLiteral("行号"),     QStringLiteral("客户"),
            QStringLiteral("客户BOM编号"),  QStringLiteral("批号"),     QStringLiteral("禁用")};
}

QStringList FoundCells(const Recordset& rows, int row) {
    static const char* const kFields[] = {"FItemNumber", "FItemName",  "FModel",   "FOrderBillNo", "FOrderEntryID",
                                          "FCustName",   "FCustBomNo", "FBatchNo", "FForbid"};
    QStringList cells;
    for (const char* name : kFields) {
        const QString field = QString::fromLatin1(name);
        const QVariant value = rows.ValueAt(rows.FieldIndex(field), static_cast<size_t>(row));
        if (field == QLatin1String("FOrderEntryID"))
            cells << (ToInt32(value) == 0 ? QString() : QString::number(ToInt32(value)));
        else if (field == QLatin1String("FForbid"))
            cells << (ToInt32(value) == 1 ? QStringLiteral("Y") : QString());
        else
            cells << NullToEmpty(value);
    }
    return cells;
}

std::optional<FindScope> FindScopeNamed(const QString& name) {
    static const std::pair<const char*, FindScope> kNames[] = {
        {"batch", FindScope::Batch}, {"order", FindScope::Order},       {"bom", FindScope::Bom},
        {"item", FindScope::Item},   {"customer", FindScope::Customer},
    };
    for (const auto& [text, scope] : kNames)
        if (name == QLatin1String(text)) return scope;
    return std::nullopt;
}

}  // namespace qor
