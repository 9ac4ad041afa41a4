#pragma once

#include "platform/base/Dictionary.h"
#include "platform/base/Vector.h"
#include "tests/support/FakeObject.h"

#include <QPointer>
#include <QWidget>

namespace qor::test {

// The widget a fake list control hands to its window; Send raises the
// control's notification as the real control does when the user acts.
class FakeListWidget : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;
    void Send(const QString& text) { Q_EMIT ListEvent(text); }

Q_SIGNALS:
    void ListEvent(const QString& text);
};

// A scripted QORList.ICList: answers InitData, InitOK, the definition named
// "销售订单", RowSelected and Selected from its fields.
class FakeListControl {
public:
    FakeListControl();
    FakeListControl(const FakeListControl&) = delete;
    FakeListControl& operator=(const FakeListControl&) = delete;

    // Selected answers one row with these ids.
    void ChooseRow(const QVariant& interId, const QVariant& entryId);

    FakeObjectPtr control;
    QPointer<FakeListWidget> widget;  // the widget handed out last
    bool initAnswer = true;
    bool initOk = true;
    bool rowSelected = true;
    VectorPtr selected = Vector::New();
};

}  // namespace qor::test
