#include "platform/controls/PropertyGrid.h"
#include "platform/controls/PropertyGridModel.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

using namespace qor::controls;

namespace {

// A window with a 2 x 4 grid (captions, two texts and a check box) and a
// line edit to take the focus; key presses, leaves, validations and clicks
// are written to log, and the owner refuses to leave a cell while keepCursor
// is set.
class GridWindow : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(grid = new PropertyGrid(&window));
        layout->addWidget(other = new QLineEdit(&window));
        grid->SetMaxCols(2);
        grid->SetMaxRows(4);
        for (int row = 1; row <= 4; ++row) grid->SetLocked(1, row, true);
        for (int row = 1; row <= 3; ++row) grid->SetTextCell(2, row, row == 1 ? 5 : 255, Qt::AlignLeft);
        grid->SetCheckBoxCell(2, 4);

        using G = PropertyGrid;
        QObject::connect(grid, &G::KeyPress, [this](int code, bool*) { log << "press " + QString(QChar(code)); });
        QObject::connect(grid, &G::LeaveCell, [this](int col, int row, int toCol, int toRow, bool* cancel) {
            log << QString("leave %1,%2 -> %3,%4 [").arg(col).arg(row).arg(toCol).arg(toRow) +
                       grid->CellText(col, row) + "]";
            *cancel = keepCursor;
        });
        QObject::connect(grid, &G::Validate, [this](bool* cancel) {
            log << "validate [" + grid->CellText(2, grid->ActiveRow()) + "]";
            *cancel = keepCursor;
        });
        QObject::connect(grid, &G::ButtonClicked,
                         [this](int col, int row) { log << QString("click %1,%2").arg(col).arg(row); });

        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        grid->setFocus();
        grid->SetActiveCell(2, 1);
        log.clear();
    }
    // Types as the user does: each key goes to the widget that has the focus.
    static void Type(const QString& text) {
        for (QChar c : text) QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }
    static void Press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }

    QWidget window;
    PropertyGrid* grid = nullptr;
    QLineEdit* other = nullptr;
    QStringList log;
    bool keepCursor = false;
};

}  // namespace

TEST(PropertyGridModel, PassesQtsModelTester) {
    PropertyGridModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.Resize(7, 2);
    PropertyCell box;
    box.kind = CellKind::CheckBox;
    model.SetCell(6, 1, box);
    EXPECT_TRUE(model.setData(model.index(6, 1), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(model.setData(model.index(0, 1), "A1", Qt::EditRole));
    model.Resize(3, 2);
    EXPECT_EQ(model.index(0, 1).data().toString(), "A1");
}

TEST_F(GridWindow, LeavingByMouseOrFocusCanBeRefused) {
    Type("X");
    keepCursor = true;
    const QPoint cell3 = grid->visualRect(grid->model()->index(2, 1)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell3);
    EXPECT_EQ(grid->ActiveRow(), 1);
    EXPECT_TRUE(log.contains("leave 2,1 -> 2,3 [X]"));
    other->setFocus();
    EXPECT_TRUE(log.contains("validate [X]"));
    EXPECT_TRUE(grid->hasFocus());

    keepCursor = false;
    log.clear();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell3);
    EXPECT_EQ(grid->ActiveRow(), 3);
    EXPECT_EQ(log, (QStringList{"leave 2,1 -> 2,3 [X]"}));
    EXPECT_EQ(grid->Cell(2, 1).text, "X");
    Press(Qt::Key_Tab);  // moves on without typing a character
    EXPECT_EQ(grid->ActiveRow(), 4);
    EXPECT_FALSE(log.contains("press \t"));
    Press(Qt::Key_Tab);
    EXPECT_TRUE(other->hasFocus()) << "Tab on the last cell leaves the grid";
    other->setFocus();
    EXPECT_TRUE(other->hasFocus());
}

TEST_F(GridWindow, CheckBoxesReportTheUsersClickOnlyAndLockedCellsTakeNoInput) {
    grid->SetChecked(2, 4, true);
    EXPECT_EQ(grid->CellText(2, 4), "1");
    EXPECT_TRUE(log.isEmpty());
    grid->SetActiveCell(2, 4);
    Press(Qt::Key_Space);
    EXPECT_EQ(grid->CellText(2, 4), "0");
    EXPECT_TRUE(log.contains("click 2,4"));

    log.clear();
    grid->SetLocked(2, 4, true);
    Press(Qt::Key_Space);
    EXPECT_EQ(grid->CellText(2, 4), "0");
    grid->SetLocked(2, 2, true);
    grid->SetActiveCell(2, 2);
    Type("Z");
    EXPECT_EQ(grid->findChild<QLineEdit*>(), nullptr);
    EXPECT_EQ(grid->CellText(2, 2), "");
    EXPECT_FALSE(log.contains("click 2,4"));
    EXPECT_TRUE(log.contains("press Z"));  // the owner still hears the key
}
