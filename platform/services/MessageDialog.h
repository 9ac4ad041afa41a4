#pragma once

#include "platform/host/Dispatch.h"

#include <QStringList>

namespace qor::services {

// QORMsgDlg.MessageDialog, the box every message of the module goes
// through. Properties Title and Text; AddButton(caption) replaces the
// standard buttons with the captions added, answering 1, 2, ... in order;
// Show(kind, helpFile, modal): kind 0 a notice with "确定" (answers 1), kind
// 1 a question with "是" (1) and "否" (2); MsgBox(text, style, title): a
// plain box with the icon the style names and "确定", answering 1.
// On the console the text goes to stderr and the box answers at once: 1 for
// notices and plain boxes, 2 (no) for questions.
class MessageDialog : public host::Dispatch {
public:
    enum class Presentation { Window, Console };

    // Window when a QApplication runs, else Console.
    static Presentation DefaultPresentation();

    explicit MessageDialog(Presentation presentation = DefaultPresentation());

private:
    int Show(int kind);
    int MsgBox(const QString& text, int style, const QString& title);

    Presentation presentation_;
    QString title_;
    QString text_;
    QStringList buttons_;
};

}  // namespace qor::services
