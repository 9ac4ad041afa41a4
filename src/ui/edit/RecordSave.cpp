#include "src/ui/edit/RecordSave.h"

#include "platform/base/Convert.h"
#include "platform/base/Dictionary.h"
#include "platform/base/HostError.h"
#include "platform/base/Variant.h"
#include "src/common/ColumnDescriptor.h"
#include "src/common/HostValues.h"
#include "src/common/Messages.h"
#include "src/ui/edit/PropertyRows.h"

namespace qor {

namespace {

int32_t IdNumber(const QString& id) { return static_cast<int32_t>(LeadingNumber(id)); }

bool Banned(const QVariant& value) {
    try {
        return !IsNull(value) && ToBool(value);
    } catch (const HostError&) {
        return false;
    }
}

// The value a row contributes to the record, by the row's field name; an
// invalid value for rows that contribute nothing.
QVariant SavedValue(const QString& name, const RowValue& row) {
    const QString key = name.toUpper();
    if (key == QLatin1String("FITEMID") || key == QLatin1String("FORDERBILLNO") || key == QLatin1String("FCUSTBOMNO"))
        return IdNumber(row.ID);
    if (key == QLatin1String("FBATCHNO")) return NullToEmpty(row.Value);
    if (key == QLatin1String("FFORBID")) return Banned(row.Value) ? 1 : 0;
    return {};
}

}  // namespace

int32_t CheckInput(const PropertyRows& rows) {
    try {
        const QString item = rows.Row(rows.FindRow(QStringLiteral("FItemID"))).ID.trimmed();
        const QString bom = rows.Row(rows.FindRow(QStringLiteral("FCustBomNo"))).ID.trimmed();
        const QString batch = rows.Row(rows.FindRow(QStringLiteral("FBatchNo"))).ID.trimmed();
        const char* missing = nullptr;
        if (item.isEmpty() || item == QLatin1String("0"))
            missing = "必须录入物料！";
        else if (bom.isEmpty() || bom == QLatin1String("0"))
            missing = "必须录入客户BOM！";
        else if (batch.isEmpty())
            missing = "必须录入批号！";
        if (!missing) return 1;
        ShowMessage(kMessageNotice, Translate(QString::fromUtf8(missing)));
    } catch (const std::exception& e) {
        ShowMessage(kMessageNotice, Translate(QStringLiteral("发生错误！")) + ErrorDescription(e));
    }
    return -1;
}

VectorPtr BuildSaveRequest(const PropertyRows& rows, int32_t entryId, EditStatus status, const RecordsetPtr& record) {
    auto fields = Dictionary::New();
    const VectorPtr& schema = rows.Schema();
    for (int i = 1; schema && i <= schema->Count(); ++i) {
        if (!ReadColumn(schema->Item(i)).visible) continue;
        const QString name = rows.Name(i);
        const QVariant value = SavedValue(name, rows.Row(i));
        const bool emptyText = value.typeId() == QMetaType::QString && value.toString().isEmpty();
        if (value.isValid() && !emptyText) fields->Set(name, value);
    }
    fields->Set(QStringLiteral("EntryID"), entryId);

    auto request = Vector::New();
    if (status == EditStatus::New) {
        request->Add(QStringLiteral("INS"));
        request->Add(0);
    } else {
        if (!record) throw HostError(QStringLiteral("没有要保存的记录。"));
        request->Add(QStringLiteral("UPT"));
        request->Add(ToInt32(record->Fields(QStringLiteral("FTraceID")).Value()));
    }
    request->Add(QVariant::fromValue(fields));
    return request;
}

}  // namespace qor
