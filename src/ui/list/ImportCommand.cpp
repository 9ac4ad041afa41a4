#include "src/ui/list/ImportCommand.h"

#include "platform/base/FileFolder.h"
#include "platform/controls/BusyCursor.h"
#include "platform/controls/PlainFileIcons.h"
#include "src/common/HostValues.h"
#include "src/common/Messages.h"
#include "src/common/Rights.h"
#include "src/host/TraceRights.h"
#include "src/import/TraceImport.h"
#include "src/ui/import/frmImport.h"
#include "src/ui/list/CommandNames.h"
#include "src/ui/list/frmBatchTrace.h"

#include <QFileDialog>

namespace qor {

namespace {

void ImportFile(frmBatchTrace& window) {
    // An import writes new records or changes old ones: without either right it has nothing to do.
    if (!CheckRight(kTraceRightModule, kTraceRightDetail, kRightNew) &&
        !CheckRight(kTraceRightModule, kTraceRightDetail, kRightModify)) {
        ShowMessage(kMessageNotice, Translate(QStringLiteral("当前用户没有新增权限！请与系统管理员联系！")));
        return;
    }
    QFileDialog dialog(&window, Translate(QStringLiteral("引入")), FileDialogFolder(),
                       Translate(QStringLiteral("CSV 文件或 Excel 工作簿 (*.csv *.xlsx);;所有文件 (*)")));
    dialog.setObjectName(QStringLiteral("importFileDialog"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    controls::UsePlainFileIcons(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString fileName = dialog.selectedFiles().first();
    RememberFileFolder(fileName);
    TraceImport import;
    try {
        const controls::BusyCursor busy;
        import.Prepare(fileName);
    } catch (const std::exception& e) {
        ShowMessage(kMessageNotice, Translate(QStringLiteral("无法引入：")) + ErrorDescription(e));
        return;
    }
    frmImport preview(import, fileName, &window);
    preview.exec();
    if (preview.Outcome() == TraceImport::Outcome::Written) window.ReloadList();
}

}  // namespace

void InstallImportCommand(frmBatchTrace& window) {
    window.SetCommand(names::kMnuImport, [&window] { ImportFile(window); });
}

}  // namespace qor
