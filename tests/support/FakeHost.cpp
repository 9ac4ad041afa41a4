#include "tests/support/FakeHost.h"

#include "platform/base/Convert.h"
#include "platform/base/Variant.h"
#include "src/host/ProgIds.h"

namespace qor::test {

FakeHost::FakeHost()
    : connection(RegisterFake(host::progid::kAppConnection)),
      shareProps(RegisterFake(host::progid::kShareProps)),
      sysInfo(RegisterFake(host::progid::kSysInfo)),
      glData(RegisterFake(host::progid::kGLData)),
      itemInfo(RegisterFake(host::progid::kItemInfo)),
      userProfile(RegisterFake(host::progid::kUserProfile)),
      appPub(RegisterFake(host::progid::kAppPub)),
      frmResLoader(RegisterFake(host::progid::kFrmResLoader)) {
    props_->insert(QStringLiteral("propsstring"),
                   QStringLiteral("ConnectString={Data=test};UserID=16;UserName=abc;LANGUAGE=chs"));
    props_->insert(QStringLiteral("userid"), 16);
    props_->insert(QStringLiteral("username"), QStringLiteral("abc"));

    auto run = [statements = statements_, queries = queries_](QVariantList& args) {
        const QString sql = NullToEmpty(args.value(0));
        statements->append(sql);
        RecordsetPtr rs = *queries ? (*queries)(sql) : nullptr;
        return rs ? QVariant::fromValue(rs) : QVariant();
    };
    connection->On(QStringLiteral("GetAnyRecordset"), run).On(QStringLiteral("Execute"), run);
    connection->Returns(QStringLiteral("ShowHelp"), {});
    shareProps->On(QStringLiteral("GetProperty"),
                   [props = props_](QVariantList& args) { return props->value(NullToEmpty(args.value(1)).toLower()); });
    sysInfo->Returns(QStringLiteral("GetSysValue"), QString());
    glData->On(QStringLiteral("AccessCheck"), [rights = rights_](QVariantList& args) {
        return QVariant(ToInt32(args.value(0)) == 1099 && ToInt32(args.value(1)) == 20 &&
                        (*rights & ToInt32(args.value(2))) != 0);
    });
    glData->Returns(QStringLiteral("WriteLog"), {});
    itemInfo->Returns(QStringLiteral("GetDataRight"), 0);

    auto profile = profile_;
    auto loaded = std::make_shared<DictionaryPtr>();
    userProfile->On(QStringLiteral("Load"), [profile, loaded](QVariantList& args) {
        *loaded = Dictionary::New();
        const auto section = profile->value(NullToEmpty(args.value(1)));
        for (auto it = section.cbegin(); it != section.cend(); ++it) (*loaded)->Set(it.key(), it.value());
        return QVariant();
    });
    userProfile->On(QStringLiteral("Dictionary"), [loaded](QVariantList&) { return QVariant::fromValue(*loaded); });

    appPub->On(QStringLiteral("FormatMessage"), [](QVariantList& args) {
        QString text = NullToEmpty(args.value(0));
        const QVariantList values = args.value(1).toList();
        for (int i = values.size(); i >= 1; --i) text.replace(QStringLiteral("%%1").arg(i), NullToEmpty(values[i - 1]));
        return QVariant(text);
    });
    frmResLoader->On(QStringLiteral("GetZ9FontProps"), [](QVariantList&) {
        auto d = Dictionary::New();
        d->Set(QStringLiteral("Font.Name"), QStringLiteral("WenQuanYi Micro Hei"));
        d->Set(QStringLiteral("Font.Charset"), 134);
        return QVariant::fromValue(d);
    });
}

void FakeHost::SetUserProfile(const QString& section, const QString& key, const QString& value) {
    (*profile_)[section].insert(key, value);
}

}  // namespace qor::test
