#include "src/ui/list/OutputCommands.h"

#include "platform/controls/LedgerGrid.h"
#include "platform/controls/LedgerPrint.h"
#include "src/common/HostValues.h"
#include "src/common/Messages.h"
#include "src/common/Rights.h"
#include "src/ui/list/CommandNames.h"
#include "src/ui/list/LedgerExport.h"
#include "src/ui/list/PrintHeaders.h"
#include "src/ui/list/frmBatchTrace.h"

#include <QCoreApplication>

namespace qor {

namespace {

// Export goes on past every error; the refusal is its only message.
void mnuExport_Click(frmBatchTrace& window) {
    try {
        if (!CheckRight(kTraceRightModule, kTraceRightDetail, kRightExport)) {
            ShowMessage(kMessageNotice, Translate(QStringLiteral("当前用户没有引出权限，请与系统管理员联系！")));
            return;
        }
    } catch (const std::exception&) {
        return;
    }
    ExportLedger(*window.Ldg());
}

enum class PrintKind { Print, Preview };

void PrintList(frmBatchTrace& window, PrintKind kind) {
    try {
        if (!CheckRight(kTraceRightModule, kTraceRightDetail, kRightPrint)) {
            ShowMessage(kMessageNotice, Translate(QStringLiteral("当前用户没有打印权限！请与系统管理员联系！")));
            return;
        }
        controls::LedgerPrint& printer = window.Ldg()->Printer();
        SetupPrintHeaders(printer);
        if (kind == PrintKind::Preview) {
            printer.Preview();
        } else {
            printer.Print();
            QCoreApplication::processEvents();
        }
    } catch (const std::exception& e) {
        ShowNoticeQuietly(Translate(QStringLiteral("打印时发生错误：")) + ErrorDescription(e));
    }
}

void mnuPrintSetup_Click(frmBatchTrace& window) { window.Ldg()->Printer().PageSetup(); }

}  // namespace

void InstallOutputCommands(frmBatchTrace& window) {
    window.SetCommand(names::kMnuExport, [&window] { mnuExport_Click(window); });
    window.SetCommand(names::kMnuPrint, [&window] { PrintList(window, PrintKind::Print); });
    window.SetCommand(names::kMnuPrintPreview, [&window] { PrintList(window, PrintKind::Preview); });
    window.SetCommand(names::kMnuPrintSetup, [&window] { mnuPrintSetup_Click(window); });
}

}  // namespace qor
