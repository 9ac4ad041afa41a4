#include "platform/services/ICList.h"

#include "platform/base/Convert.h"
#include "platform/base/Variant.h"
#include "platform/host/HostProgIds.h"
#include "platform/services/RecordRows.h"
#include "platform/services/SqlConditions.h"

namespace qor::services {

namespace {

QString DefinitionText(const Dictionary& definition, const char* key) {
    return NullToEmpty(definition.Item(QString::fromLatin1(key)));
}

}  // namespace

ICList::ICList(SessionPtr session)
    : Dispatch(QString::fromLatin1(host::progid::kICList)), session_(std::move(session)), widget_(new ICListWidget) {
    for (const char* name : {"DestBillTransType", "BaseInfo", "LocalCnn", "SystemName", "Filter"})
        Setting(QString::fromLatin1(name), QString());
    for (const char* name : {"ListShowStatus", "ListID", "TranType", "SelectFlag", "ROB", "MultiSelect"})
        Setting(QString::fromLatin1(name), 0);
    for (const char* name : {"ISShowReport", "CanSelectMultiRow"}) Setting(QString::fromLatin1(name), false);
    Setting(QStringLiteral("ShowSearch"), true);

    Method(QStringLiteral("InitData"), [this](QVariantList&) { return InitData(); });
    Method(QStringLiteral("Release"), [this](QVariantList&) {
        Release();
        return QVariant();
    });
    Property(QStringLiteral("InitOK"), [this] { return initOk_; });
    Property(QStringLiteral("ListDefinitions"), [this] { return QVariant::fromValue(ListDefinitions()); });
    Property(QStringLiteral("RowSelected"), [this] { return rows_ && widget_ && widget_->List()->CurrentRow() >= 0; });
    Property(QStringLiteral("Selected"), [this] { return QVariant::fromValue(Selected()); });
    Property(QStringLiteral("GetListRs"), [this] { return rows_ ? QVariant::fromValue(rows_->Clone()) : QVariant(); });
    Property(QStringLiteral("GetListFieldsDes"), [this] { return QVariant::fromValue(FieldDescriptions()); });
    Property(QStringLiteral("Widget"), [this] { return QVariant::fromValue<QObject*>(widget_.data()); });
}

ICList::~ICList() { delete widget_.data(); }

void ICList::Setting(const QString& name, const QVariant& initial) {
    settings_.insert(name.toLower(), initial);
    Property(
        name, [this, name] { return SettingValue(name); },
        [this, name](const QVariant& value) {
            settings_.insert(name.toLower(), value);
            if (!widget_) return;
            if (name == QLatin1String("ShowSearch")) widget_->List()->SetSearchVisible(ToBool(value));
            if (name == QLatin1String("MultiSelect")) widget_->List()->SetMultiSelect(ToBool(value));
        });
}

QVariant ICList::SettingValue(const QString& name) const { return settings_.value(name.toLower()); }

bool ICList::InitData() {
    auto definitions = session_->database->Query(
        QStringLiteral("SELECT FListID, FName, FLogicStr, FSelect, FFrom, FWhere, FOrderBy, FCaptions "
                       "FROM t_ListDefinition WHERE FListID = ?"),
        {ToInt32(SettingValue(QStringLiteral("ListID")))});
    if (definitions->RecordCount() == 0) return false;
    definition_ = RowDictionary(*definitions, 0);

    QString sql =
        QStringLiteral("SELECT ") + DefinitionText(*definition_, "FSelect") + QStringLiteral(" FROM ") +
        DefinitionText(*definition_, "FFrom") +
        WhereClause({DefinitionText(*definition_, "FWhere"), NullToEmpty(SettingValue(QStringLiteral("Filter")))});
    const QString orderBy = DefinitionText(*definition_, "FOrderBy");
    if (!orderBy.trimmed().isEmpty()) sql += QStringLiteral(" ORDER BY ") + orderBy;
    rows_ = session_->database->Query(sql);

    const QStringList captions = DefinitionText(*definition_, "FCaptions").split(u'|');
    columns_.clear();
    for (int f = 0; f < rows_->FieldCount(); ++f) {
        const QString field = rows_->Column(f).name;
        columns_.push_back({field, f < captions.size() && !captions[f].isEmpty() ? captions[f] : field});
    }
    if (widget_) widget_->List()->SetRows(rows_, columns_);
    initOk_ = true;
    return true;
}

VectorPtr ICList::Selected() const {
    auto selected = Vector::New();
    if (!rows_ || !widget_) return selected;
    for (int row : widget_->List()->SelectedRows()) selected->Add(QVariant::fromValue(RowDictionary(*rows_, row)));
    return selected;
}

VectorPtr ICList::ListDefinitions() const {
    auto definitions = Vector::New();
    if (definition_) definitions->Add(QVariant::fromValue(definition_));
    return definitions;
}

VectorPtr ICList::FieldDescriptions() const {
    auto descriptions = Vector::New();
    for (const PickerColumn& column : columns_) {
        auto description = Dictionary::New();
        description->Set(QStringLiteral("FFieldName"), column.field);
        description->Set(QStringLiteral("FCaption"), column.caption);
        descriptions->Add(QVariant::fromValue(description));
    }
    return descriptions;
}

void ICList::Release() {
    rows_ = nullptr;
    initOk_ = false;
    if (widget_) widget_->List()->Clear();
}

}  // namespace qor::services
