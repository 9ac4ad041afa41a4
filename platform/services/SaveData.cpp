#include "platform/services/SaveData.h"

#include "platform/base/Convert.h"
#include "platform/host/HostProgIds.h"
#include "platform/services/BatchTraceWriter.h"
#include "platform/services/TraceRefusal.h"

namespace qor::services {

namespace {

constexpr int kSaved = 1;
constexpr int kRefused = 0;

int ReadTraceId(const QVariant& value) {
    try {
        const int id = ToInt32(value);
        if (id >= 0) return id;
    } catch (const HostError&) {
    }
    throw TraceRefusal(QStringLiteral("记录内码“%1”不正确！").arg(value.toString()));
}

const Dictionary& RequireFields(const Vector& data) {
    DictionaryPtr fields = data.Count() >= 3 ? data.Item(3).value<DictionaryPtr>() : nullptr;
    if (!fields) throw TraceRefusal(QStringLiteral("保存请求缺少字段值！"));
    return *fields;
}

}  // namespace

SaveData::SaveData(SessionPtr session)
    : Dispatch(QString::fromLatin1(host::progid::kSaveData)), session_(std::move(session)) {
    Method(QStringLiteral("SaveBatchTraceData"), [this](QVariantList& args) { return SaveBatchTraceData(args); });
}

QVariant SaveData::SaveBatchTraceData(QVariantList& args) {
    const VectorPtr data = host::ArgVector(args, 1);
    host::Arg(args, 2);  // the message argument must be there to take the answer
    int result = kSaved;
    QString message;
    try {
        message = Save(*data);
    } catch (const TraceRefusal& refusal) {
        result = kRefused;
        message = refusal.Description();
    }
    args[2] = message;
    return result;
}

QString SaveData::Save(const Vector& data) {
    if (data.Count() < 2) throw TraceRefusal(QStringLiteral("保存请求不完整！"));
    const QString operation = NullToEmpty(data.Item(1)).trimmed().toUpper();
    const int traceId = ReadTraceId(data.Item(2));
    BatchTraceWriter writer(*session_);
    if (operation == QLatin1String("INS")) return writer.Insert(TraceChanges::FromDictionary(RequireFields(data)));
    if (operation == QLatin1String("UPT"))
        return writer.Update(traceId, TraceChanges::FromDictionary(RequireFields(data)));
    if (operation == QLatin1String("DEL")) return writer.Delete(traceId);
    throw TraceRefusal(QStringLiteral("不支持的保存操作“%1”！").arg(operation));
}

}  // namespace qor::services
