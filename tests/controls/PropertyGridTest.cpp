#include "controls/BgrColor.h"
#include "controls/PropertyGrid.h"
#include "controls/PropertyGridModel.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QVBoxLayout>

using namespace qor::controls;

namespace {

// A window with a 2 x 4 grid (captions, a text, an integer and a check box)
// and a line edit to take the focus; records every notification.
class GridWindow : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        grid = new PropertyGrid(&window);
        other = new QLineEdit(&window);
        layout->addWidget(grid);
        layout->addWidget(other);
        grid->SetMaxCols(2);
        grid->SetMaxRows(4);
        for (int row = 1; row <= 4; ++row) {
            grid->SetCellText(1, row, QStringLiteral("caption %1").arg(row));
            grid->SetStaticText(1, row);
            grid->SetLocked(1, row, true);
        }
        grid->SetTextCell(2, 1, 5, Qt::AlignLeft | Qt::AlignVCenter);
        grid->SetTextCell(2, 2, 255, Qt::AlignLeft | Qt::AlignVCenter);
        grid->SetIntegerCell(2, 3, 0, 2147483647, Qt::AlignRight | Qt::AlignVCenter);
        grid->SetCheckBoxCell(2, 4);

        QObject::connect(grid, &PropertyGrid::KeyDown,
                         [this](int key, Qt::KeyboardModifiers) { log << QStringLiteral("down %1").arg(key); });
        QObject::connect(grid, &PropertyGrid::KeyPress, [this](int code, bool* cancel) {
            log << QStringLiteral("press %1").arg(QChar(code));
            if (code == '\'') *cancel = true;
        });
        QObject::connect(grid, &PropertyGrid::KeyUp,
                         [this](int key, Qt::KeyboardModifiers) { log << QStringLiteral("up %1").arg(key); });
        QObject::connect(grid, &PropertyGrid::LeaveCell,
                         [this](int col, int row, int newCol, int newRow, bool* cancel) {
                             log << QStringLiteral("leave %1,%2 -> %3,%4 [%5]")
                                        .arg(col)
                                        .arg(row)
                                        .arg(newCol)
                                        .arg(newRow)
                                        .arg(grid->CellText(col, row));
                             *cancel = keepCursor;
                         });
        QObject::connect(grid, &PropertyGrid::Validate, [this](bool* cancel) {
            log << QStringLiteral("validate [%1]").arg(grid->CellText(2, grid->ActiveRow()));
            *cancel = keepCursor;
        });
        QObject::connect(grid, &PropertyGrid::EditChange,
                         [this](int col, int row) { log << QStringLiteral("edit %1,%2").arg(col).arg(row); });
        QObject::connect(grid, &PropertyGrid::ButtonClicked,
                         [this](int col, int row) { log << QStringLiteral("click %1,%2").arg(col).arg(row); });

        window.resize(400, 300);
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        grid->setFocus();
        grid->SetActiveCell(2, 1);
        log.clear();
    }

    QLineEdit* OpenEditor() const { return grid->findChild<QLineEdit*>(); }
    // Types as the user does: each key goes to the widget that has the focus.
    static void Type(const QString& text) {
        for (QChar c : text) {
            QTest::keyPress(QApplication::focusWidget(), c.toLatin1());
            QTest::keyRelease(QApplication::focusWidget(), c.toLatin1());
        }
    }
    static void Press(Qt::Key key) {
        QTest::keyPress(QApplication::focusWidget(), key);
        QTest::keyRelease(QApplication::focusWidget(), key);
    }

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
    EXPECT_TRUE(model.setData(model.index(0, 1), QStringLiteral("A1"), Qt::EditRole));
    model.Resize(3, 2);
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.index(0, 1).data().toString(), "A1");
}

TEST(BgrColor, KeepsTheOldGridsByteOrder) {
    EXPECT_EQ(ColorFromBgr(65535), QColor(255, 255, 0));
    EXPECT_EQ(ColorFromBgr(0xFF0000), QColor(0, 0, 255));
}

TEST_F(GridWindow, TypingOpensTheEditorAndNotifiesEachKeyOnce) {
    Type(QStringLiteral("A1"));
    ASSERT_NE(OpenEditor(), nullptr);
    EXPECT_EQ(grid->CellText(2, 1), "A1");  // the editor's text, before it is committed
    EXPECT_EQ(grid->Cell(2, 1).text, "");
    EXPECT_EQ(log, (QStringList{"down 65", "press A", "edit 2,1", "up 65", "down 49", "press 1", "edit 2,1", "up 49"}));

    log.clear();
    Press(Qt::Key_F7);
    EXPECT_EQ(log, (QStringList{"down 16777270", "up 16777270"}));

    Type(QStringLiteral("'B|"));  // the owner cancels quotes
    EXPECT_EQ(grid->CellText(2, 1), "A1B|");
}

TEST_F(GridWindow, EnterCommitsTheCellAsLeavingItDoes) {
    Type(QStringLiteral("B7"));
    log.clear();
    Press(Qt::Key_Return);
    EXPECT_EQ(grid->Cell(2, 1).text, "B7");
    EXPECT_EQ(log, (QStringList{"down 16777220", "press \r", "leave 2,1 -> 2,1 [B7]", "up 16777220"}));
    EXPECT_EQ(grid->ActiveRow(), 1);
}

TEST_F(GridWindow, LeavingByKeyOrMouseCanBeRefused) {
    Type(QStringLiteral("X"));
    keepCursor = true;
    Press(Qt::Key_Down);
    EXPECT_EQ(grid->ActiveRow(), 1);
    EXPECT_TRUE(log.contains("leave 2,1 -> 2,2 [X]"));

    const QRect cell3 = grid->visualRect(grid->model()->index(2, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell3.center());
    EXPECT_EQ(grid->ActiveRow(), 1);

    keepCursor = false;
    log.clear();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell3.center());
    EXPECT_EQ(grid->ActiveRow(), 3);
    EXPECT_EQ(log, (QStringList{"leave 2,1 -> 2,3 [X]"}));
    EXPECT_EQ(grid->Cell(2, 1).text, "X");
}

TEST_F(GridWindow, TabMovesOnWithoutTypingACharacter) {
    Type(QStringLiteral("T"));
    Press(Qt::Key_Tab);
    EXPECT_TRUE(log.contains("leave 2,1 -> 1,2 [T]"));
    EXPECT_FALSE(log.contains("press \t"));
    EXPECT_EQ(grid->ActiveRow(), 2);
}

TEST_F(GridWindow, IntegerCellsTakeWholeNumbersInTheirRange) {
    grid->SetActiveCell(2, 3);
    Type(QStringLiteral("2147483647"));
    auto* spin = grid->findChild<QSpinBox*>();
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(spin->maximum(), 2147483647);
    EXPECT_EQ(spin->minimum(), 0);
    Press(Qt::Key_Return);
    EXPECT_EQ(grid->CellText(2, 3), "2147483647");
}

TEST_F(GridWindow, CheckBoxesReportTheUsersClickOnly) {
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
    EXPECT_FALSE(log.contains("click 2,4"));
}

TEST_F(GridWindow, LockedCellsOpenNoEditor) {
    grid->SetLocked(2, 2, true);
    grid->SetBackColor(2, 2, ColorFromBgr(65535));
    grid->SetActiveCell(2, 2);
    Type(QStringLiteral("Z"));
    EXPECT_EQ(OpenEditor(), nullptr);
    EXPECT_EQ(grid->CellText(2, 2), "");
    EXPECT_EQ(grid->model()->index(1, 1).data(Qt::BackgroundRole).value<QColor>(), QColor(255, 255, 0));
    EXPECT_TRUE(log.contains("press Z"));  // the owner still hears the key
}

TEST_F(GridWindow, FocusLeavingTheGridIsValidated) {
    Type(QStringLiteral("Q9"));
    keepCursor = true;
    other->setFocus();
    EXPECT_TRUE(log.contains("validate [Q9]"));
    EXPECT_TRUE(grid->hasFocus());

    keepCursor = false;
    log.clear();
    EXPECT_TRUE(grid->EndEdit());
    EXPECT_EQ(log, (QStringList{"validate [Q9]"}));
    other->setFocus();
    EXPECT_TRUE(other->hasFocus());
}

TEST_F(GridWindow, ProgrammaticChangesNotifyNothing) {
    Type(QStringLiteral("AB"));
    log.clear();
    grid->SetCellText(2, 1, QStringLiteral("C"));  // reaches the open editor too
    EXPECT_EQ(grid->CellText(2, 1), "C");
    grid->SetActiveCell(2, 2);
    grid->SetColWidth(1, 1440);
    EXPECT_NEAR(grid->ColWidth(1), 1440, 20);
    EXPECT_TRUE(log.isEmpty());
}
