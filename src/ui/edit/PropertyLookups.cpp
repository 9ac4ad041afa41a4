#include "src/ui/edit/PropertyLookups.h"

#include "platform/base/Convert.h"
#include "platform/base/HostError.h"
#include "src/common/LoginContext.h"
#include "src/common/Messages.h"
#include "src/common/Query.h"
#include "src/lookup/LookupSql.h"
#include "src/lookup/Lookups.h"
#include "src/ui/edit/PropertyRows.h"

namespace qor {

namespace {

constexpr int16_t kListDataType = 1;

struct ResultFields {
    const char* id;
    const char* name;
    const char* number;
};

// The fields of a look-up class's records that fill ID, Name and Number.
ResultFields FieldsOf(LookupClass cls) {
    switch (cls) {
        case LookupClass::Item:
            return {"FItemID", "FName", "FNumber"};
        case LookupClass::Batch:
            return {"FBatchNo", "FBatchNo", "FBatchNo"};
        case LookupClass::SalesOrder:
            return {"FInterID", "FBillNo", "FBillNo"};
        default:
            return {"FInterID", "FBomNumber", "FBomNumber"};
    }
}

QString Text(const Recordset& found, const char* field) { return found.Fields(QLatin1String(field)).Text(); }

void ShowNotice(const char* text) { ShowMessage(kMessageNotice, Translate(QString::fromUtf8(text))); }

// A check box shows its value as "1" or "0".
bool SameAsValue(const QVariant& value, const QString& text) {
    if (value.typeId() == QMetaType::Bool) return text == (value.toBool() ? QLatin1String("1") : QLatin1String("0"));
    return NullToEmpty(value) == text;
}

}  // namespace

QString PropertyLookups::ChosenId(const char* name) const {
    return rows_.Row(rows_.FindRow(QLatin1String(name))).ID.trimmed();
}

int32_t PropertyLookups::LookupList(int32_t row, const QString& search) {
    try {
        const LookupClass cls = rows_.LookupClass(row);
        if (cls == LookupClass::None) return 0;
        const QString itemId = ChosenId("FItemID");
        if ((cls == LookupClass::Batch || cls == LookupClass::CustomerBom) && itemId.isEmpty()) {
            ShowNotice("必须先选择物料！");
            return 0;
        }
        const QString bomId = cls == LookupClass::SalesOrder ? ChosenId("FCustBomNo") : QString();
        auto chosen = Dictionary::New();
        const int32_t result = RunLookup(cls, search, LookupListFilter(cls, itemId, bomId), chosen, kListDataType);
        // A list left without a choice fills nothing in: the row stays as it was.
        if (!chosen->Exists(QStringLiteral("FNumber"))) return result;

        const QVariant entry = chosen->GetValue(QStringLiteral("FEntryID"), 0);
        if (cls == LookupClass::SalesOrder)
            rows_.Row(row).EntryFilter = QStringLiteral("v1.FEntryID=") + NullToEmpty(entry);
        entryId_ = ToInt32(entry);
        rows_.SetCellText(row, NullToEmpty(chosen->Item(QStringLiteral("FNumber"))));
        return result;
    } catch (const std::exception&) {
        return -1;
    }
}

int32_t PropertyLookups::ResolveInput(int32_t row, const QString& text) {
    if (text.isEmpty()) return 0;
    try {
        const LookupClass cls = rows_.LookupClass(row);
        if (cls != LookupClass::Item && cls != LookupClass::Batch && cls != LookupClass::SalesOrder &&
            cls != LookupClass::CustomerBom)
            return 0;
        RowValue& value = rows_.Row(row);
        if (cls != LookupClass::Item && cls != LookupClass::SalesOrder && ChosenId("FItemID").isEmpty()) {
            ShowNotice("必须先选择物料！");
            return 0;
        }
        const RecordsetPtr found = Search(cls, value, text);
        if (!found) throw HostError(QStringLiteral("没有查询结果。"));
        if (found->Eof()) {
            if (cls != LookupClass::Batch) throw HostError(QStringLiteral("没有找到。"));
            value.Choose(text, text, text);
            value.ChangeValue(text);
            return 1;
        }
        const ResultFields fields = FieldsOf(cls);
        const QString number = Text(*found, fields.number);
        value.Choose(Text(*found, fields.id), Text(*found, fields.name), number);
        value.ChangeValue(number);
        rows_.SetCellText(row, number);
        FillDependentRows(cls, row, *found);
        if (cls == LookupClass::Item || cls == LookupClass::CustomerBom) EmptySalesOrder();
        return 1;
    } catch (const std::exception&) {
        ShowNotice("你输入的资料不存在或你没有使用该资料的权限！");
        return -1;
    }
}

RecordsetPtr PropertyLookups::Search(LookupClass cls, RowValue& value, const QString& text) {
    if (cls == LookupClass::SalesOrder) {
        const QString sql = SalesOrderResolveSql(text, ChosenId("FItemID"), ChosenId("FCustBomNo"), value.EntryFilter);
        value.EntryFilter.clear();
        return OpenClassRecordset(sql, QString(), true);
    }
    const QString itemId = cls == LookupClass::Item ? QString() : ChosenId("FItemID");
    return GetItemDetailRs(static_cast<int16_t>(cls), text, ToInt32(GetUserID()), CodeSearchFilter(cls, itemId));
}

void PropertyLookups::FillDependentRows(LookupClass cls, int32_t row, const Recordset& found) {
    if (cls == LookupClass::Item) {
        rows_.SetCellTextOf(QStringLiteral("FItemName"), rows_.Row(row).Name);
        rows_.SetCellTextOf(QStringLiteral("FModel"), Text(found, "FModel"));
    }
    if (cls != LookupClass::SalesOrder) return;
    if (const int32_t item = rows_.FindRow(QStringLiteral("FItemID")); item > 0) {
        const QString number = Text(found, "FItemNumber");
        RowValue& value = rows_.Row(item);
        value.Choose(Text(found, "FItemID"), Text(found, "FItemName"), number);
        value.ChangeValue(number);
        rows_.SetCellText(item, number);
    }
    rows_.SetCellTextOf(QStringLiteral("FItemName"), Text(found, "FItemName"));
    rows_.SetCellTextOf(QStringLiteral("FModel"), Text(found, "FModel"));
    if (const int32_t bom = rows_.FindRow(QStringLiteral("FCustBomNo")); bom > 0) {
        const QString number = Text(found, "FBomNumber");
        RowValue& value = rows_.Row(bom);
        value.Choose(Text(found, "FBomInterID"), number, number);
        value.ChangeValue(number);
        rows_.SetCellText(bom, number);
    }
}

void PropertyLookups::EmptySalesOrder() {
    const int32_t order = rows_.FindRow(QStringLiteral("FOrderBillNo"));
    if (order < 1) return;
    RowValue& value = rows_.Row(order);
    value.Choose(QString(), QString(), QString());
    value.ChangeValue(QString());
    value.EntryFilter.clear();
    rows_.SetCellText(order, QString());
}

bool PropertyLookups::LeaveCell(int32_t row) {
    if (inLeaveCell_) return true;
    struct Guard {
        bool& flag;
        ~Guard() { flag = false; }
    };
    inLeaveCell_ = true;
    const Guard guard{inLeaveCell_};

    const QString text = rows_.CellText(row);
    RowValue& value = rows_.Row(row);
    if (SameAsValue(value.Value, text)) return true;
    if (rows_.LookupClass(row) == LookupClass::None) {
        value.ChangeValue(text);
        return true;
    }
    const int32_t result = ResolveInput(row, text);
    if (result == 0) {
        rows_.SetCellText(row, QString());
        value.Choose(QString(), QString(), QString());
        value.ChangeValue(QString());
    }
    return result != -1;
}

}  // namespace qor
