#include "EditWindowFixture.h"
#include "base/Convert.h"
#include "controls/PropertyGrid.h"
#include "host/TraceRights.h"
#include "support/QtPrinters.h"
#include "ui/edit/RowValue.h"

#include <QAction>

using namespace qor;
using qor::test::EditWindow;

namespace {

// Value cells 1 to 7 as "E" (editable) or "L" (locked), "Y" after a locked
// cell whose background is yellow.
QString Locks(const controls::PropertyGrid& grid) {
    QString out;
    for (int row = 1; row <= 7; ++row) {
        out += grid.Locked(2, row) ? u'L' : u'E';
        if (grid.Cell(2, row).backColor == QColor(255, 255, 0)) out += u'Y';
    }
    return out;
}

}  // namespace

TEST_F(EditWindow, CellLocksFollowTheStatusAndTheBanRight) {
    OpenNew();  // its cells are checked where the list opens it
    EXPECT_EQ(window->windowTitle(), "客户BOM批次对应表信息");
    EXPECT_TRUE(window->DataChanged());
    EXPECT_EQ(Locks(*window->Grid()), "ELYLYEEEE");
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
}

TEST_F(EditWindow, AnExistingRecordLoadsAsUnchanged) {
    OpenExisting(frmProperty::kStatusModify, 2);
    EXPECT_EQ(Cell(4), "SO1");
    EXPECT_EQ(Cell(6), "B2");
    EXPECT_EQ(Cell(7), "1");
    EXPECT_EQ(window->RowValues(4).ID, "3");
    EXPECT_EQ(window->RowValues(5).ID, "7");
    EXPECT_EQ(window->InterID(), 102);
    EXPECT_EQ(ledger.CurrentRow(), 3);
    EXPECT_FALSE(window->DataChanged());
}

TEST_F(EditWindow, TypingFlagsAChangeExceptQuotesBarsAndEnter) {
    OpenExisting(frmProperty::kStatusModify, 1);
    Type(6, "'|");
    Press(Qt::Key_Return);
    EXPECT_EQ(Cell(6), "B1");
    EXPECT_FALSE(window->DataChanged());

    Type(6, "X");
    EXPECT_EQ(Cell(6), "X");
    EXPECT_TRUE(window->DataChanged());
}
