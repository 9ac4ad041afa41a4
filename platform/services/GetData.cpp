#include "platform/services/GetData.h"

#include "platform/base/Convert.h"
#include "platform/base/Dictionary.h"
#include "platform/base/Vector.h"
#include "platform/host/HostProgIds.h"
#include "platform/services/ItemDetailQuery.h"
#include "platform/services/TraceSearch.h"

namespace qor::services {

GetData::GetData(SessionPtr session)
    : Dispatch(QString::fromLatin1(host::progid::kGetData)), session_(std::move(session)) {
    Method(QStringLiteral("ExecuteSql"), [this](QVariantList& args) {
        return QVariant::fromValue(session_->database->Query(host::ArgText(args, 1)));
    });
    Method(QStringLiteral("ExecuteBoundSql"), [this](QVariantList& args) {
        QVariantList values;
        const VectorPtr given = host::ArgVector(args, 2);
        for (int i = 1; given && i <= given->Count(); ++i) values << given->Item(i);
        return QVariant::fromValue(session_->database->Query(host::ArgText(args, 1), values));
    });
    Method(QStringLiteral("GetItemDetail"), [this](QVariantList& args) {
        return QVariant::fromValue(QueryItemDetail(*session_->database, host::ArgInt(args, 3), host::ArgText(args, 2),
                                                   host::ArgBool(args, 1),
                                                   args.size() > 5 ? NullToEmpty(args[5]) : QString()));
    });
    Method(QStringLiteral("GetItemDetails"), [this](QVariantList& args) {
        QStringList codes;
        const VectorPtr given = host::ArgVector(args, 2);
        for (int i = 1; given && i <= given->Count(); ++i) codes << NullToEmpty(given->Item(i));
        return QVariant::fromValue(QueryItemDetails(*session_->database, host::ArgInt(args, 3), codes,
                                                    host::ArgBool(args, 1),
                                                    args.size() > 5 ? NullToEmpty(args[5]) : QString()));
    });
    Method(QStringLiteral("FindTraces"), [this](QVariantList& args) {
        FindRequest request;
        request.query.scope = static_cast<FindScope>(host::ArgInt(args, 1));
        request.query.match = static_cast<FindMatch>(host::ArgInt(args, 2));
        request.query.text = host::ArgText(args, 3);
        request.query.useShortNumber = host::ArgBool(args, 4);
        request.before = host::Arg(args, 5).toLongLong();
        request.limit = host::ArgInt(args, 6);
        request.rightsJoin = host::ArgText(args, 7);
        request.rightsCondition = host::ArgText(args, 8);
        const FoundPage page = FindTraces(*session_->database, request);
        const DictionaryPtr answer = Dictionary::New();
        answer->Set(QStringLiteral("Rows"), QVariant::fromValue(page.rows));
        answer->Set(QStringLiteral("More"), page.more);
        answer->Set(QStringLiteral("NextBefore"), page.nextBefore);
        return QVariant::fromValue(answer);
    });
}

}  // namespace qor::services
