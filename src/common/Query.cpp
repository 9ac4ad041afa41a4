#include "src/common/Query.h"

#include "platform/base/Vector.h"
#include "platform/host/ComponentFactory.h"
#include "src/common/HostValues.h"
#include "src/common/KeptInstances.h"
#include "src/common/LoginContext.h"
#include "src/common/Messages.h"
#include "src/host/ProgIds.h"

namespace qor {

RecordsetPtr ExecSQL(const QString& sql) {
    auto getData = CreateComponent(QString::fromLatin1(host::progid::kGetData));
    return AsRecordset(getData->Call(QStringLiteral("ExecuteSql"), {GetPropsString(), sql}));
}

RecordsetPtr ExecBoundSQL(const QString& sql, const QVariantList& values) {
    auto bound = Vector::New();
    for (const QVariant& value : values) bound->Add(value);
    auto getData = CreateComponent(QString::fromLatin1(host::progid::kGetData));
    return AsRecordset(
        getData->Call(QStringLiteral("ExecuteBoundSql"), {GetPropsString(), sql, QVariant::fromValue(bound)}));
}

RecordsetPtr OpenClassRecordset(const QString& sql, const QString& props, bool showError) {
    if (sql.trimmed().isEmpty()) return nullptr;
    try {
        const QString propsString = props.isEmpty() ? SharedPropsString() : props;
        auto classInfo = host::ComponentFactory::Create(QString::fromLatin1(host::progid::kClassInfo));
        return AsRecordset(classInfo->Call(QStringLiteral("GetData"), {propsString, sql}));
    } catch (const std::exception& e) {
        if (showError) MsgBox(ErrorDescription(e) + QStringLiteral("\r\n") + sql, kMsgExclamation);
        return nullptr;
    }
}

}  // namespace qor
