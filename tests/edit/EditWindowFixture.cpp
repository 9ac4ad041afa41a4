#include "EditWindowFixture.h"

#include "component/ColumnSchema.h"
#include "controls/PropertyGrid.h"

#include <QApplication>
#include <QTest>

namespace qor::test {

void EditWindow::SetUp() {
    BuildColumnSchema(schema);
    ledger.SetCols(7);
}

void EditWindow::OpenNew() {
    window = std::make_unique<frmProperty>();
    window->SetStatus(frmProperty::kStatusNew);
    window->SetRecord(ItemRecord());
    window->SetDataProperty(schema);
    window->OperKind = 1;
    window->Load();
    Show();
}

void EditWindow::OpenExisting(int32_t status, int position, int count) {
    RecordsetPtr records = TraceRecords(count);
    records->Move(position - 1, MoveFrom::First);
    ledger.SetRows(count + 1);
    window = std::make_unique<frmProperty>();
    window->SetRecord(records);
    window->SetStatus(status);
    window->SetDataProperty(schema);
    window->SetLdgFace(&ledger);
    window->SetInterID(100 + position);
    window->OperKind = 2;
    window->Load();
    Show();
}

void EditWindow::Show() {
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->Grid()->setFocus();
}

void EditWindow::Type(int row, const QString& text) {
    window->Grid()->SetActiveCell(2, row);
    for (QChar c : text) {
        QTest::keyPress(KeyTarget(), c.toLatin1());
        QTest::keyRelease(KeyTarget(), c.toLatin1());
    }
}

void EditWindow::Press(Qt::Key key) {
    QTest::keyPress(KeyTarget(), key);
    QTest::keyRelease(KeyTarget(), key);
}

// A window of the offscreen platform is not activated again when a modal
// window it opened closes; the user's next key goes to its grid then.
QWidget* EditWindow::KeyTarget() {
    if (!QApplication::focusWidget()) {
        QApplication::setActiveWindow(window.get());
        window->Grid()->setFocus();
    }
    return QApplication::focusWidget() ? QApplication::focusWidget() : window->Grid();
}

QString EditWindow::Cell(int row) const { return window->Grid()->CellText(2, row); }

}  // namespace qor::test
