#include "src/lookup/Lookups.h"

#include "platform/base/Convert.h"
#include "platform/base/HostError.h"
#include "platform/host/ComponentFactory.h"
#include "src/common/HostValues.h"
#include "src/common/KeptInstances.h"
#include "src/common/LoginContext.h"
#include "src/common/Messages.h"
#include "src/common/ShortNumberSwitch.h"
#include "src/host/ProgIds.h"
#include "src/lookup/SalesOrderLookup.h"

#include <QCoreApplication>

namespace qor {

namespace {

void SetChoice(Dictionary& result, const QVariant& id, const QVariant& name, const QVariant& number) {
    result.Set(QStringLiteral("FItemID"), id);
    result.Set(QStringLiteral("FName"), name);
    result.Set(QStringLiteral("FNumber"), number);
}

int32_t ItemLookup(const QString& search, const QString& filter, Dictionary& result, int16_t dataType) {
    auto parameters = Dictionary::New();
    parameters->Set(QStringLiteral("BeShortNumber"), UseShortNumber());
    parameters->Set(QStringLiteral("GetDataType"), QVariant::fromValue(dataType));
    parameters->Set(QStringLiteral("Search"), search);
    const auto answer =
        AsObject(GLView()->Call(QStringLiteral("ItemLookup"), {static_cast<int32_t>(LookupClass::Item), search, filter,
                                                               QVariant::fromValue(parameters)}));
    if (!answer || !ToBool(answer->Get(QStringLiteral("ReturnOK")))) return -1;

    const auto chosen = AsObject(answer->Get(QStringLiteral("ReturnObject")));
    if (!chosen) throw HostError(QStringLiteral("物料选择没有返回物料。"));
    const auto properties = AsDictionary(chosen->Get(QStringLiteral("Properties")));
    if (!properties) throw HostError(QStringLiteral("物料选择没有返回物料的属性。"));
    SetChoice(result, properties->Item(QStringLiteral("FItemID")), properties->Item(QStringLiteral("FName")),
              properties->Item(QStringLiteral("FNumber")));
    return 1;
}

int32_t BatchLookup(const QString& search, const QString& filter, const QString& userId, Dictionary& result) {
    auto batchList = host::ComponentFactory::Create(QString::fromLatin1(host::progid::kBaseList));
    batchList->Put(QStringLiteral("Filter"), filter);
    batchList->Put(QStringLiteral("KeyWord"), search);
    QCoreApplication::processEvents();
    const auto chosen =
        AsRecordset(batchList->Call(QStringLiteral("Show"), {userId, static_cast<int32_t>(LookupClass::Batch)}));
    QCoreApplication::processEvents();
    if (!chosen || chosen->Eof()) return -1;

    const QVariant batch = chosen->Fields(QStringLiteral("FBatchNo")).Value();
    SetChoice(result, batch, batch, batch);
    return 1;
}

}  // namespace

int32_t RunLookup(LookupClass cls, const QString& search, const QString& filter, const DictionaryPtr& result,
                  int16_t dataType) {
    if (!result) return -1;
    try {
        const QString userId = GetUserID();
        switch (cls) {
            case LookupClass::Item:
                return ItemLookup(search, filter, *result, dataType);
            case LookupClass::Batch:
                return BatchLookup(search, filter, userId, *result);
            case LookupClass::SalesOrder:
                return SalesOrderLookup(filter, userId, *result);
            case LookupClass::CustomerBom:
                return BomLookup(result, filter) == 1 ? 1 : -1;
            default:
                return 1;
        }
    } catch (const std::exception& e) {
        ShowNoticeQuietly(Translate(QStringLiteral("发生错误！基础资料很有可能没有授权！")) + ErrorDescription(e));
        return -1;
    }
}

}  // namespace qor
