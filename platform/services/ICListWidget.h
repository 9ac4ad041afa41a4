#pragma once

#include "platform/services/PickerList.h"

#include <QWidget>

namespace qor::services {

// The window of the list browser control: 确定 and 退出 above the list. It
// reports what the user does with ListEvent: "SelectOK" for Enter, a double
// click or 确定, "Exit" for Esc or 退出.
class ICListWidget : public QWidget {
    Q_OBJECT

public:
    explicit ICListWidget(QWidget* parent = nullptr);

    PickerList* List() const { return list_; }

Q_SIGNALS:
    void ListEvent(const QString& text);

private:
    PickerList* list_;
};

}  // namespace qor::services
