#include "platform/services/GLView.h"

#include "platform/base/Convert.h"
#include "platform/base/HostError.h"
#include "platform/base/Variant.h"
#include "platform/host/HostProgIds.h"
#include "platform/services/ItemRecord.h"
#include "platform/services/LookupResult.h"
#include "platform/services/PickerDialog.h"
#include "platform/services/RecordRows.h"
#include "platform/services/SqlConditions.h"

namespace qor::services {

namespace {
constexpr int kItemClass = 4;
}  // namespace

GLView::GLView(SessionPtr session)
    : Dispatch(QString::fromLatin1(host::progid::kGLView)), session_(std::move(session)) {
    Method(QStringLiteral("ItemLookup"), [this](QVariantList& args) {
        DictionaryPtr parameters = args.size() > 3 ? args[3].value<DictionaryPtr>() : nullptr;
        return ItemLookup(host::ArgInt(args, 0), args.size() > 1 ? NullToEmpty(args[1]) : QString(),
                          args.size() > 2 ? NullToEmpty(args[2]) : QString(),
                          parameters ? parameters : Dictionary::New());
    });
}

QVariant GLView::ItemLookup(int cls, const QString& search, const QString& filter, const DictionaryPtr& parameters) {
    if (cls != kItemClass) throw HostError(QStringLiteral("不支持核算项目类别 %1 的选择。").arg(cls));
    const bool shortNumber = ToBool(parameters->GetValue(QStringLiteral("BeShortNumber"), false));
    const QString numberField = shortNumber ? QStringLiteral("FShortNumber") : QStringLiteral("FNumber");
    auto items = session_->database->Query(
        QStringLiteral("SELECT FItemID, %1 AS FNumber, FName, FModel FROM t_ICItem").arg(numberField) +
        WhereClause({filter}) + QStringLiteral(" ORDER BY %1").arg(numberField));

    PickerDialog dialog(QStringLiteral("dlgItemLookup"), QStringLiteral("物料"));
    dialog.List()->SetRows(items, {{QStringLiteral("FNumber"), QStringLiteral("物料代码")},
                                   {QStringLiteral("FName"), QStringLiteral("物料名称")},
                                   {QStringLiteral("FModel"), QStringLiteral("规格型号")}});
    dialog.List()->SetSearch(NullToEmpty(parameters->GetValue(QStringLiteral("Search"), search)));
    const int row = dialog.Choose();
    host::ObjectPtr chosen = row < 0 ? nullptr : std::make_shared<ItemRecord>(RowDictionary(*items, row));
    return QVariant::fromValue(host::ObjectPtr(std::make_shared<LookupResult>(std::move(chosen))));
}

}  // namespace qor::services
