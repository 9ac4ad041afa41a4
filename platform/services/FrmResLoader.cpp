#include "platform/services/FrmResLoader.h"

#include "platform/base/Variant.h"
#include "platform/host/HostProgIds.h"

namespace qor::services {

namespace {

constexpr int kGb2312Charset = 134;

}  // namespace

FrmResLoader::FrmResLoader() : Dispatch(QString::fromLatin1(host::progid::kFrmResLoader)) {
    Method(QStringLiteral("GetZ9FontProps"), [](QVariantList&) {
        auto props = Dictionary::New();
        props->Set(QStringLiteral("Font.Name"), QStringLiteral("WenQuanYi Micro Hei"));
        props->Set(QStringLiteral("Font.Charset"), kGb2312Charset);
        return QVariant::fromValue(props);
    });
}

}  // namespace qor::services
