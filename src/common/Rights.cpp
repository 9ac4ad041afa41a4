#include "src/common/Rights.h"

#include "platform/base/Convert.h"
#include "platform/base/HostError.h"
#include "src/common/HostValues.h"
#include "src/common/KeptInstances.h"
#include "src/common/LoginContext.h"
#include "src/common/Messages.h"
#include "src/host/ProgIds.h"

namespace qor {

namespace {

// Lists of module 1004 keep their rights under module 1003.
constexpr int32_t kListModuleMovedFrom = 1004;
constexpr int32_t kListModuleMovedTo = 1003;

// A list of module 1015, detail 10 is also open to users who hold the view
// right of detail 10 under module 0, the module earlier releases asked in this
// second check, so rights already granted that way keep working.
constexpr int32_t kSharedListModule = 1015;
constexpr int32_t kSharedListDetail = 10;
constexpr int32_t kGeneralModule = 0;

bool AccessCheck(int32_t module, int32_t detail, int32_t mask) {
    return ToBool(GLData()->Call(QStringLiteral("AccessCheck"), {module, detail, mask}));
}

QString ReadListLogic(int32_t listId) {
    RecordsetPtr info;
    {
        auto sysInfo = CreateComponent(QString::fromLatin1(host::progid::kSysInfo));
        info = AsRecordset(sysInfo->Call(QStringLiteral("GetListInfo"), {GetPropsString(), listId}));
    }
    if (!info) throw HostError(QStringLiteral("没有序时簿信息: %1").arg(listId));
    const QString logic = info->Fields(QStringLiteral("FLogicStr")).Text();
    info->Close();
    return logic;
}

int32_t LogicNumber(const QString& descriptor, const QString& key) {
    const QString value = GetLogicValue(descriptor, key);
    return value.isEmpty() ? 0 : ToInt32(value);
}

}  // namespace

bool CheckRight(int32_t module, int32_t detail, int32_t mask) {
    try {
        return AccessCheck(module, detail, mask);
    } catch (const std::exception&) {
        return false;
    }
}

bool CheckListRight(int32_t listId) {
    try {
        const QString logic = ReadListLogic(listId);
        int32_t module = LogicNumber(logic, QStringLiteral("FModule"));
        if (module == kListModuleMovedFrom) module = kListModuleMovedTo;
        const int32_t detail = LogicNumber(logic, QStringLiteral("FModelDetail"));
        if (AccessCheck(module, detail, kRightView)) return true;
        if (module == kSharedListModule && detail == kSharedListDetail &&
            AccessCheck(kGeneralModule, kSharedListDetail, kRightView))
            return true;
    } catch (const std::exception&) {
        MsgBox(Translate(QStringLiteral("数据读取错误，无法检测序时薄权限。")), kMsgOkOnly);
        return false;
    }
    MsgBox(Translate(QStringLiteral("没有权限,请与系统管理员联系")), kMsgOkOnly);
    return false;
}

QString GetLogicValue(const QString& descriptor, const QString& key) {
    const qsizetype found = descriptor.indexOf(u'|' + key + u':', 0, Qt::CaseInsensitive);
    if (found < 0) return QString();
    return QString::number(LeadingNumber(descriptor.mid(found + key.size() + 2)), 'g', 15);
}

}  // namespace qor
