#include "platform/services/GetBomInfo.h"

#include "platform/base/Convert.h"
#include "platform/base/Variant.h"
#include "platform/host/HostProgIds.h"
#include "platform/services/PickerDialog.h"
#include "platform/services/SqlConditions.h"

namespace qor::services {

namespace {
const QString kCustomerBoms = QStringLiteral(
    "SELECT t1.FInterID, t1.FBOMNumber AS FBomNumber, t1.FItemID, t2.FNumber AS FItemNumber, "
    "t2.FName AS FItemName, t2.FModel, t1.FCustName, t1.FNote "
    "FROM ICBom t1 INNER JOIN t_ICItem t2 ON t1.FItemID = t2.FItemID");
}  // namespace

GetBomInfo::GetBomInfo(SessionPtr session)
    : Dispatch(QString::fromLatin1(host::progid::kGetBomInfo)), session_(std::move(session)) {
    Method(QStringLiteral("GetBomList"),
           [this](QVariantList& args) { return QVariant::fromValue(GetBomList(*host::ArgDictionary(args, 0))); });
}

DictionaryPtr GetBomInfo::GetBomList(const Dictionary& parameters) {
    auto boms = session_->database->Query(
        kCustomerBoms +
        WhereClause({QStringLiteral("t1.FBomType = 3"), NullToEmpty(parameters.Item(QStringLiteral("Filter"))),
                     NullToEmpty(parameters.Item(QStringLiteral("Filter1")))}) +
        QStringLiteral(" ORDER BY t1.FBOMNumber"));
    PickerDialog dialog(QStringLiteral("dlgBomList"), QStringLiteral("客户BOM"));
    dialog.List()->SetRows(boms, {{QStringLiteral("FBomNumber"), QStringLiteral("客户BOM编号")},
                                  {QStringLiteral("FItemNumber"), QStringLiteral("物料代码")},
                                  {QStringLiteral("FItemName"), QStringLiteral("物料名称")},
                                  {QStringLiteral("FModel"), QStringLiteral("规格型号")},
                                  {QStringLiteral("FCustName"), QStringLiteral("客户")},
                                  {QStringLiteral("FNote"), QStringLiteral("备注")}});
    const int row = dialog.Choose();

    auto chosen = Dictionary::New();
    const auto value = [&boms, row](const char* field, const QVariant& none) {
        return row < 0 ? none : boms->ValueAt(boms->FieldIndex(QString::fromLatin1(field)), static_cast<size_t>(row));
    };
    chosen->Set(QStringLiteral("FInterID"), value("FInterID", 0));
    chosen->Set(QStringLiteral("FBomNumber"), value("FBomNumber", QString()));
    chosen->Set(QStringLiteral("FItemID"), value("FItemID", 0));
    return chosen;
}

}  // namespace qor::services
