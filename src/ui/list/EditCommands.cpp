#include "src/ui/list/EditCommands.h"

#include "platform/base/Convert.h"
#include "platform/base/HostError.h"
#include "platform/controls/LedgerGrid.h"
#include "src/common/HostValues.h"
#include "src/common/Messages.h"
#include "src/common/Rights.h"
#include "src/common/ShortNumberSwitch.h"
#include "src/data/CDetail.h"
#include "src/ui/edit/frmProperty.h"
#include "src/ui/list/CommandNames.h"
#include "src/ui/list/frmBatchTrace.h"

namespace qor {

namespace {

constexpr int16_t kOperNew = 1;
constexpr int16_t kOperModify = 2;

void Notice(const char* text) { ShowMessage(kMessageNotice, Translate(QString::fromUtf8(text))); }

void ReportError(const std::exception& error) {
    ShowMessage(kMessageNotice, Translate(QStringLiteral("发生错误！")) + ErrorDescription(error));
}

void NewRecord(frmBatchTrace& window) {
    if (!CheckRight(kTraceRightModule, kTraceRightDetail, kRightNew)) {
        Notice("当前用户没有新增权限！请与系统管理员联系！");
        return;
    }
    bool dirty = false;
    QString savedBatchNo;
    try {
        frmProperty edit(&window);
        edit.SetSettingsPath(window.SettingsPath());
        const int32_t itemId = ToInt32(window.CurrentNodeKey().mid(2));
        const RecordsetPtr item = window.Detail()->GetRecordset(ItemRecordSql(itemId, UseShortNumber()));
        edit.SetStatus(EditStatus::New);
        edit.SetRecord(item);
        edit.SetDataProperty(window.VectCol());
        edit.OperKind = kOperNew;
        edit.Load();
        edit.exec();
        dirty = edit.IsDirty();
        savedBatchNo = edit.SavedBatchNo();
    } catch (const std::exception& e) {
        ReportError(e);
        return;
    }
    if (!dirty) return;
    window.ReloadList();
    window.SelectRecord(QStringLiteral("FBatchNo"), savedBatchNo);
}

void ModifyRecord(frmBatchTrace& window) {
    if (!CheckRight(kTraceRightModule, kTraceRightDetail, kRightView)) {
        Notice("当前用户没有查看权限！请与系统管理员联系！");
        return;
    }
    EditStatus status = EditStatus::Modify;
    if (!CheckRight(kTraceRightModule, kTraceRightDetail, kRightModify)) {
        Notice("当前用户没有修改权限！请与系统管理员联系！");
        status = EditStatus::View;
    }
    if (window.Ldg()->CurrentRow() < 2) return;
    bool dirty = false;
    int32_t shownTraceId = 0;
    try {
        const RecordsetPtr record = window.GetListData();
        if (!record) throw HostError(QStringLiteral("列表中没有记录。"));
        const int32_t traceId = ToInt32(record->Fields(QStringLiteral("FTraceID")).Value());
        frmProperty edit(&window);
        edit.SetSettingsPath(window.SettingsPath());
        edit.SetRecord(record);
        edit.SetStatus(status);
        edit.SetDataProperty(window.VectCol());
        edit.SetLdgFace(window.Ldg());
        edit.SetInterID(traceId);
        edit.OperKind = kOperModify;
        edit.Load();
        edit.exec();
        dirty = edit.IsDirty();
        shownTraceId = edit.InterID();
    } catch (const std::exception& e) {
        ReportError(e);
        return;
    }
    // The reloaded list keeps the record the edit window showed last.
    if (!dirty) return;
    window.ReloadList();
    window.SelectRecord(QStringLiteral("FTraceID"), QString::number(shownTraceId));
}

}  // namespace

QString ItemRecordSql(int32_t itemId, bool useShortNumber) {
    return QStringLiteral("Select FItemID,") +
           (useShortNumber ? QStringLiteral("  FShortNumber") : QStringLiteral("FNumber")) +
           QStringLiteral(" AS FItemNumber,FName AS FItemName,FModel From t_ICItem Where FItemID=") +
           QString::number(itemId);
}

void InstallEditCommands(frmBatchTrace& window) {
    window.SetCommand(names::kMnuEditNew, [&window] { NewRecord(window); });
    window.SetCommand(names::kMnuEditModify, [&window] { ModifyRecord(window); });
}

}  // namespace qor
