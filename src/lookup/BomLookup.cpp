#include "src/lookup/Lookups.h"

#include "platform/base/Convert.h"
#include "platform/host/ComponentFactory.h"
#include "src/common/HostValues.h"
#include "src/host/ProgIds.h"

namespace qor {

namespace {
constexpr int16_t kShowModal = 1;
}  // namespace

int32_t BomLookup(const DictionaryPtr& result, const QString& filter) {
    if (!result) return 0;
    try {
        auto parameters = Dictionary::New();
        parameters->Set(QStringLiteral("ShowMode"), QVariant::fromValue(kShowModal));
        parameters->Set(QStringLiteral("Filter"), filter);
        parameters->Set(QStringLiteral("Filter1"), QString());
        auto bomInfo = host::ComponentFactory::Create(QString::fromLatin1(host::progid::kGetBomInfo));
        QVariantList args{QVariant::fromValue(parameters)};
        const auto chosen = AsDictionary(bomInfo->CallRef(QStringLiteral("GetBomList"), args));
        if (!chosen || NullToZero(chosen->Item(QStringLiteral("FinterID"))) == 0) return 0;

        result->Set(QStringLiteral("FItemID"), chosen->Item(QStringLiteral("FInterID")));
        result->Set(QStringLiteral("FNumber"), chosen->Item(QStringLiteral("FBomNumber")));
        result->Set(QStringLiteral("FName"), chosen->Item(QStringLiteral("FBomNUmber")));
        return 1;
    } catch (const std::exception&) {
        return 0;
    }
}

}  // namespace qor
