#include "EditWindowFixture.h"
#include "base/Convert.h"
#include "controls/PropertyGrid.h"
#include "host/TraceRights.h"
#include "support/QtPrinters.h"
#include "ui/edit/RowValue.h"

#include <QAction>
#include <QCheckBox>
#include <QTabWidget>
#include <QToolBar>

using namespace qor;
using qor::test::EditWindow;

namespace {

const QColor kYellow(255, 255, 0);

// Value cells 1 to 7 as "E" (editable) or "L" (locked), "Y" after a locked
// cell whose background is yellow.
QString Locks(const controls::PropertyGrid& grid) {
    QString out;
    for (int row = 1; row <= 7; ++row) {
        out += grid.Locked(2, row) ? u'L' : u'E';
        if (grid.Cell(2, row).backColor == kYellow) out += u'Y';
    }
    return out;
}

}  // namespace

TEST_F(EditWindow, ANewRecordStartsFromTheItemWithEverythingElseEmpty) {
    OpenNew();
    auto* grid = window->Grid();
    EXPECT_EQ(window->windowTitle(), "客户BOM批次对应表信息");
    ASSERT_EQ(grid->MaxRows(), 7);
    EXPECT_EQ(grid->CellText(1, 4), "销售订单编号");
    EXPECT_TRUE(grid->Locked(1, 4));
    EXPECT_EQ(grid->Cell(2, 6).maxLength, 255);
    EXPECT_EQ(grid->Cell(2, 7).kind, controls::CellKind::CheckBox);
    for (int row : {1, 2, 3}) EXPECT_EQ(Cell(row), (QStringList{"01.01.001", "电机外壳", "220V"}[row - 1]));
    for (int row : {4, 5, 6}) EXPECT_EQ(Cell(row), "") << row;
    EXPECT_EQ(Cell(7), "0");
    EXPECT_EQ(window->RowValues(1).ID, "1024");
    EXPECT_EQ(window->RowValues(1).Name, "电机外壳");
    EXPECT_TRUE(window->DataChanged());

    EXPECT_FALSE(window->Tabs()->isTabEnabled(1));
    EXPECT_EQ(window->Tabs()->tabText(0), "属性");
    for (const char* name : {"ChkClear", "ChkError", "ChkAHelp", "ChkRefresh"})
        EXPECT_TRUE(window->findChild<QCheckBox*>(name)->isChecked()) << name;
}

TEST_F(EditWindow, ToolbarHasTheModulesKeysCaptionsAndTips) {
    OpenNew();
    QStringList buttons;
    for (QAction* action : window->Toolbar()->actions())
        buttons << (action->isSeparator() ? QStringLiteral("|")
                                          : action->objectName() + u':' + action->text() + u':' + action->toolTip());
    EXPECT_EQ(buttons,
              (QStringList{"New:新增:新增记录", "Delete:删除:删除", "Save:保存:保存", "|", "Fr:首条:第一条记录",
                           "Pr:上条:上一条记录", "Ne:下条:下一条记录", "La:最后:最后一条记录", "|", "Exit:退出:退出"}));
    EXPECT_EQ(window->Toolbar()->objectName(), "Toolbar1");
}

TEST_F(EditWindow, CellLocksFollowTheStatusAndTheBanRight) {
    OpenNew();
    EXPECT_EQ(Locks(*window->Grid()), "ELYLYEEEE");
    EXPECT_TRUE(window->Tool("New")->isEnabled());
    EXPECT_FALSE(window->Tool("Ne")->isEnabled());

    OpenExisting(frmProperty::kStatusModify, 1);
    EXPECT_EQ(Locks(*window->Grid()), "ELYLYEEEE");
    EXPECT_TRUE(window->Tool("Fr")->isEnabled());

    OpenExisting(frmProperty::kStatusView, 1);
    EXPECT_EQ(Locks(*window->Grid()), "LLYLYLLLL");
    EXPECT_FALSE(window->Tool("New")->isEnabled());
    EXPECT_FALSE(window->Tool("Save")->isEnabled());
    EXPECT_TRUE(window->Tool("La")->isEnabled());

    fakes.host.SetRights(0x7FFFFFFF & ~kRightBan);
    OpenExisting(frmProperty::kStatusModify, 1);
    EXPECT_EQ(Locks(*window->Grid()), "ELYLYEEELY");
    auto forbid = schema->Item(7).value<DictionaryPtr>();
    EXPECT_EQ(ToInt32(forbid->Item("FLocked")), 1) << "kept in the shared schema";
}

TEST_F(EditWindow, AnExistingRecordLoadsAsUnchanged) {
    OpenExisting(frmProperty::kStatusModify, 2);
    EXPECT_EQ(Cell(4), "SO1");
    EXPECT_EQ(Cell(6), "B2");
    EXPECT_EQ(Cell(7), "1");
    EXPECT_EQ(window->RowValues(4).ID, "3");
    EXPECT_EQ(window->RowValues(5).ID, "7");
    EXPECT_EQ(window->RowValues(7).Value, QVariant(true));
    EXPECT_EQ(window->InterID(), 102);
    EXPECT_EQ(ledger.CurrentRow(), 3);
    EXPECT_FALSE(window->DataChanged());
}

TEST_F(EditWindow, TypingFlagsAChangeExceptQuotesBarsAndEnter) {
    OpenExisting(frmProperty::kStatusModify, 1);
    Type(6, "'|");
    EXPECT_EQ(Cell(6), "B1");
    EXPECT_FALSE(window->DataChanged());
    Press(Qt::Key_Return);
    EXPECT_FALSE(window->DataChanged());

    Type(6, "X");
    EXPECT_EQ(Cell(6), "X");
    EXPECT_TRUE(window->DataChanged());
}
