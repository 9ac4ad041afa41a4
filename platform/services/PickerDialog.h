#pragma once

#include "platform/services/PickerList.h"

#include <QDialog>

namespace qor::services {

// The modal dialog of a host picker: a PickerList with 确定 and 取消. Enter
// or a double click on a row chooses it, Esc or 取消 leaves. Each dialog is
// made for one choice and remembers nothing afterwards.
class PickerDialog : public QDialog {
    Q_OBJECT

public:
    // The dialog's parent is the active window, so it opens over its caller.
    PickerDialog(const QString& objectName, const QString& title);

    PickerList* List() const { return list_; }

    // Shows the dialog modally; the recordset row chosen, -1 when none.
    int Choose();

private:
    void ChooseCurrent();

    PickerList* list_;
};

}  // namespace qor::services
