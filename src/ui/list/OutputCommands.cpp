#include "ui/list/OutputCommands.h"

#include "common/HostValues.h"
#include "common/Messages.h"
#include "common/Rights.h"
#include "controls/LedgerGrid.h"
#include "controls/LedgerPrint.h"
#include "ui/list/LedgerExport.h"
#include "ui/list/PrintHeaders.h"
#include "ui/list/frmBatchTrace.h"

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
        try {
            ShowMessage(kMessageNotice, Translate(QStringLiteral("打印时发生错误：")) + ErrorDescription(e));
        } catch (const std::exception&) {
        }
    }
}

void mnuPrintSetup_Click(frmBatchTrace& window) { window.Ldg()->Printer().PageSetup(); }

}  // namespace

void InstallOutputCommands(frmBatchTrace& window) {
    window.SetCommand(QStringLiteral("mnuExport"), [&window] { mnuExport_Click(window); });
    window.SetCommand(QStringLiteral("mnuPrint"), [&window] { PrintList(window, PrintKind::Print); });
    window.SetCommand(QStringLiteral("mnuPrintPreview"), [&window] { PrintList(window, PrintKind::Preview); });
    window.SetCommand(QStringLiteral("mnuPrintSetup"), [&window] { mnuPrintSetup_Click(window); });
}

}  // namespace qor
