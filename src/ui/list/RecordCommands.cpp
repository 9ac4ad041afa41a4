#include "src/ui/list/RecordCommands.h"

#include "platform/base/Convert.h"
#include "platform/controls/LedgerGrid.h"
#include "src/common/ColumnDescriptor.h"
#include "src/common/HostValues.h"
#include "src/common/Messages.h"
#include "src/common/Rights.h"
#include "src/common/TraceWrites.h"
#include "src/ui/find/frmFind.h"
#include "src/ui/find/frmFindBatch.h"
#include "src/ui/list/CommandNames.h"
#include "src/ui/list/frmBatchTrace.h"

namespace qor {

namespace {

bool HasCurrentRecord(const RecordsetPtr& record) { return record && !record->Eof() && !record->Bof(); }

void ReloadAfterChange(frmBatchTrace& window) {
    window.ReloadList();
    window.Ldg()->Refresh();
}

void OpenFind(frmBatchTrace& window, int32_t mode) {
    frmFind find(&window);
    find.SetSettingsPath(window.SettingsPath());
    find.SetActionMode(mode);
    QObject::connect(&find, &frmFind::FilterNow, &window, [&window](const QString& f) { window.frm_FilterNow(f); });
    QObject::connect(&find, &frmFind::SortNow, &window, [&window](const QString& s) { window.frm_SortNow(s); });
    find.Load();
    find.exec();
}

// One find window per list window, kept while the list window lives; it
// needs only the view right, on any node.
void OpenFindBatch(frmBatchTrace& window) {
    if (!CheckRight(kTraceRightModule, kTraceRightDetail, kRightView)) {
        ShowMessage(kMessageNotice, Translate(QStringLiteral("当前用户没有查看权限！请与系统管理员联系！")));
        return;
    }
    auto* find = window.findChild<frmFindBatch*>();
    if (!find) {
        find = new frmFindBatch(&window);
        find->SetSettingsPath(window.SettingsPath());
        // The record found is shown in the list, and the find window steps
        // aside so as not to cover it; Ctrl+F brings it back with its results.
        QObject::connect(find, &frmFindBatch::GoToRecord, &window, [&window, find](int itemId, qint64 traceId) {
            if (window.GoToRecord(itemId, traceId)) find->hide();
        });
        QObject::connect(find, &frmFindBatch::OpenRecord, &window, [&window, find](int itemId, qint64 traceId) {
            if (!window.GoToRecord(itemId, traceId)) return;
            find->hide();
            window.RunMenu(names::kMnuEditModify);
        });
    } else if (!find->isVisible()) {
        // Hidden, its rows did not follow the list's reloads.
        find->Refresh();
    }
    find->show();
    find->raise();
    find->activateWindow();
}

}  // namespace

int32_t DeleteData(frmBatchTrace& window) {
    int32_t result = -1;
    QString message;
    try {
        if (window.Ldg()->CurrentRow() <= 1) return -1;
        if (ShowMessage(kMessageQuestion, Translate(QStringLiteral("是否删除当前记录？"))) != kMessageConfirmed)
            return -1;
        if (!CheckRight(kTraceRightModule, kTraceRightDetail, kRightDelete)) {
            ShowMessage(kMessageNotice, Translate(QStringLiteral("当前用户没有删除权限！请与系统管理员联系！")));
            return -1;
        }
        const RecordsetPtr record = window.GetListData();
        if (!HasCurrentRecord(record)) return -1;
        auto request = Vector::New();
        request->Add(QStringLiteral("DEL"));
        request->Add(ToInt32(record->Fields(QStringLiteral("FTraceID")).Value()));
        result = SaveBatchTrace(request, &message);

        QString log = Translate(QStringLiteral("删除物料: ")) + window.Ldg()->CellText(window.Ldg()->CurrentRow(), 2);
        if (result == 1) {
            log += Translate(QStringLiteral(" 客户BOM批次对应信息成功！"));
            ShowMessage(kMessageNotice, message);
        } else {
            log += Translate(QStringLiteral(" 客户BOM批次对应信息失败！"));
            ShowMessage(kMessageNotice, Translate(QStringLiteral("删除失败！")) + message);
        }
        WriteOperationLog(log);
        return result;
    } catch (const std::exception& e) {
        ShowNoticeQuietly(Translate(QStringLiteral("删除失败！")) + message + ErrorDescription(e));
        return -1;
    }
}

DictionaryPtr BanRecordMap(const VectorPtr& schema, const Recordset& record, bool ban) {
    auto map = Dictionary::New();
    auto idOf = [&record](const char* field) {
        return static_cast<int32_t>(NullToZero(record.Fields(QString::fromLatin1(field)).Value()));
    };
    for (const ColumnDescriptor& column : ReadColumns(schema)) {
        if (!column.source || !column.visible) continue;
        const QString& name = column.name;
        QVariant value = QString();
        if (name.compare(QLatin1String("FItemID"), Qt::CaseInsensitive) == 0)
            value = idOf("FItemID");
        else if (name.compare(QLatin1String("FOrderBillNo"), Qt::CaseInsensitive) == 0)
            value = idOf("FOrderInterID");
        else if (name.compare(QLatin1String("FCustBomNo"), Qt::CaseInsensitive) == 0)
            value = idOf("FCustBOMID");
        else if (name.compare(QLatin1String("FBatchNo"), Qt::CaseInsensitive) == 0)
            value = record.Fields(QStringLiteral("FBatchNo")).Text();
        else if (name.compare(QLatin1String("FForBid"), Qt::CaseInsensitive) == 0)
            value = ban ? 1 : 0;
        if (value.typeId() == QMetaType::QString && value.toString().isEmpty()) continue;
        map->Set(name, value);
    }
    return map;
}

int32_t BanData(frmBatchTrace& window, bool ban) {
    const QString un = ban ? QString() : Translate(QStringLiteral("反"));
    QString message;
    try {
        if (window.Ldg()->CurrentRow() < 2) return -1;
        if (ShowMessage(kMessageQuestion, Translate(QStringLiteral("是否")) + un +
                                              Translate(QStringLiteral("禁用当前记录？"))) != kMessageConfirmed)
            return -1;
        if (!CheckRight(kTraceRightModule, kTraceRightDetail, kRightBan)) {
            ShowMessage(kMessageNotice, Translate(QStringLiteral("当前用户没有")) + un +
                                            Translate(QStringLiteral("禁用权限！请与系统管理员联系！")));
            return -1;
        }
        const RecordsetPtr record = window.GetListData();
        if (!HasCurrentRecord(record)) return -1;
        const int32_t traceId = ToInt32(record->Fields(QStringLiteral("FTraceID")).Value());
        const bool banned = ToBool(record->Fields(QStringLiteral("FForBid")).Value());
        if (banned && ban) {
            ShowMessage(kMessageNotice, Translate(QStringLiteral("当前记录已经被禁用！")));
            return -1;
        }
        if (!banned && !ban) {
            ShowMessage(kMessageNotice, Translate(QStringLiteral("当前记录没有被禁用！")));
            return -1;
        }
        auto request = Vector::New();
        request->Add(QStringLiteral("UPT"));
        request->Add(traceId);
        request->Add(QVariant::fromValue(BanRecordMap(window.VectCol(), *record, ban)));
        // A refusal (the record deleted on another desktop, say) is told, and
        // the list is left as it is.
        if (SaveBatchTrace(request, &message) != 1) {
            ShowMessage(kMessageNotice, Translate(QStringLiteral("保存失败！")) + message);
            return -1;
        }
        return 1;
    } catch (const std::exception& e) {
        ShowNoticeQuietly(Translate(QStringLiteral("发生错误！")) + message + ErrorDescription(e));
        return -1;
    }
}

void InstallRecordCommands(frmBatchTrace& window) {
    window.SetCommand(names::kMnuEditDelete, [&window] {
        if (DeleteData(window) == 1) ReloadAfterChange(window);
    });
    window.SetCommand(names::kMnuEditBan, [&window] {
        if (BanData(window, true) == 1) ReloadAfterChange(window);
    });
    window.SetCommand(names::kMnuEditUnBan, [&window] {
        if (BanData(window, false) == 1) window.ReloadList();
    });
    window.SetCommand(names::kMnuFilter, [&window] { OpenFind(window, frmFind::kFilterMode); });
    window.SetCommand(names::kMnuSort, [&window] { OpenFind(window, frmFind::kSortMode); });
    window.SetCommand(names::kMnuFindBatch, [&window] { OpenFindBatch(window); });
}

}  // namespace qor
