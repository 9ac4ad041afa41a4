#include "src/host/TraceRights.h"
#include "src/ui/edit/RowValue.h"
#include "tests/edit/EditHost.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/QtPrinters.h"

#include <QAction>

using namespace qor;
using qor::test::EditWindow;

namespace {

const QString kNotFound = QStringLiteral("你输入的资料不存在或你没有使用该资料的权限！");

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

    OpenExisting(EditStatus::Modify, 1);
    EXPECT_EQ(Locks(*window->Grid()), "ELYLYEEEE");
    EXPECT_TRUE(window->Tool("Fr")->isEnabled());

    OpenExisting(EditStatus::View, 1);
    EXPECT_EQ(Locks(*window->Grid()), "LLYLYLLLL");
    EXPECT_FALSE(window->Tool("New")->isEnabled());
    EXPECT_FALSE(window->Tool("Save")->isEnabled());
    EXPECT_TRUE(window->Tool("La")->isEnabled());

    fakes.host.SetRights(0x7FFFFFFF & ~kRightBan);
    OpenExisting(EditStatus::Modify, 1);
    EXPECT_EQ(Locks(*window->Grid()), "ELYLYEEELY");
}

TEST_F(EditWindow, AnExistingRecordLoadsAsUnchangedAndQuotesBarsOrEnterDoNotChangeIt) {
    OpenExisting(EditStatus::Modify, 2);
    EXPECT_EQ(Cell(4), "SO1");
    EXPECT_EQ(Cell(6), "B2");
    EXPECT_EQ(Cell(7), "1");
    EXPECT_EQ(window->RowValues(4).ID, "3");
    EXPECT_EQ(window->RowValues(5).ID, "7");
    EXPECT_EQ(window->InterID(), 102);
    EXPECT_EQ(ledger.CurrentRow(), 3);
    EXPECT_FALSE(window->DataChanged());

    Type(6, "'|");
    Press(Qt::Key_Return);
    EXPECT_EQ(Cell(6), "B2");
    EXPECT_FALSE(window->DataChanged());
    Type(6, "X");
    EXPECT_EQ(Cell(6), "X");
    EXPECT_TRUE(window->DataChanged());
}

TEST_F(EditWindow, F7OnTheItemPicksAnItemWhoseCodeIsResolvedOnEnter) {
    OpenExisting(EditStatus::Modify, 1);
    window->Grid()->SetActiveCell(2, 1);
    fakes.pickedItem.clear();
    Press(Qt::Key_F7);
    EXPECT_EQ(Cell(1), "01.01.001") << "the picker left without a choice changes nothing";
    EXPECT_FALSE(window->DataChanged());

    fakes.pickedItem = "01.02.001";
    Press(Qt::Key_F7);
    EXPECT_EQ(fakes.glView->CallsOf("ItemLookup")[1].args.mid(0, 3), (QVariantList{4, "", " FErpClsID=7 "}));
    EXPECT_EQ(Cell(1), "01.02.001");
    EXPECT_TRUE(window->DataChanged());
    EXPECT_EQ(window->RowValues(1).ID, "1024") << "resolved only when the cell is left";

    Press(Qt::Key_Return);
    EXPECT_EQ(window->RowValues(1).ID, "2048");
    EXPECT_EQ(Cell(2), "控制板");
    EXPECT_EQ(Cell(3), "12V");
    EXPECT_EQ(Cell(4), "") << "another item empties the sales order";
    EXPECT_EQ(window->RowValues(4).ID, "");
}

TEST_F(EditWindow, ListsAreNarrowedToTheChosenItem) {
    OpenExisting(EditStatus::Modify, 1);
    Type(6, "A1");
    Press(Qt::Key_F8);
    EXPECT_EQ(fakes.baseList->Property("Filter"), QVariant(" FItemID=1024"));
    EXPECT_EQ(fakes.baseList->Property("KeyWord"), QVariant("A1"));
    EXPECT_EQ(Cell(6), "B1");

    window->Grid()->SetActiveCell(2, 5);
    Press(Qt::Key_F7);
    auto parameters = fakes.bomInfo->CallsOf("GetBomList")[0].args[0].value<DictionaryPtr>();
    EXPECT_EQ(parameters->Item("Filter"), QVariant(" t1.FItemID=1024"));

    window->Grid()->SetActiveCell(2, 2);  // 物料名称 has no look-up
    Press(Qt::Key_F7);
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(EditWindow, ChoosingAnOrderLineFillsItemModelAndBom) {
    OpenNew();
    window->Grid()->SetActiveCell(2, 4);
    test::WhenModalShown([this](QWidget*) { fakes.orderList.widget->Send("SelectOK"); });
    Press(Qt::Key_F7);
    EXPECT_EQ(fakes.orderList.control->Property("Filter"),
              QVariant(" u1.FItemID=1024 AND v1.FStatus>0 AND u1.FMrpClosed=0 And u1.FItemID In "
                       "(SELECT x1.FItemID From t_ICItem x1 WHERE x1.FErpClsID=7)"));
    EXPECT_EQ(Cell(4), "SO1");
    EXPECT_EQ(window->EntryID(), 2);

    Press(Qt::Key_Return);
    ASSERT_EQ(fakes.OrderStatements().size(), 1);
    EXPECT_TRUE(fakes.OrderStatements()[0].contains(" AND u1.FBillNo='SO1' AND v1.FItemID=1024 AND v1.FEntryID=2 "));
    EXPECT_EQ(window->RowValues(4).ID, "3");
    EXPECT_EQ(Cell(3), "220V");
    EXPECT_EQ(window->RowValues(5).ID, "7");

    window->Grid()->SetActiveCell(2, 4);
    EXPECT_EQ(window->ResolveInput(2, 4, "SO1"), 1);
    EXPECT_FALSE(fakes.OrderStatements()[1].contains("FEntryID=2")) << "the chosen line is used once";
}

TEST_F(EditWindow, ResolvingTypedCodes) {
    OpenNew();
    EXPECT_EQ(window->ResolveInput(2, 1, ""), 0);
    EXPECT_EQ(window->ResolveInput(2, 1, "nope"), -1);
    EXPECT_EQ(Messages().last(), kNotFound);
    EXPECT_EQ(window->RowValues(1).ID, "1024") << "the row keeps what it had";

    EXPECT_EQ(window->ResolveInput(2, 6, "NEW-7"), 1) << "a new batch number is taken as typed";
    EXPECT_EQ(window->RowValues(6).ID, "NEW-7");
    EXPECT_EQ(window->ResolveInput(2, 4, "SO9"), -1);

    window->ClearForNew();
    EXPECT_EQ(window->ResolveInput(2, 6, "B1"), 0);
    EXPECT_EQ(window->ResolveInput(2, 5, "BOM1"), 0);
    EXPECT_EQ(Messages().mid(Messages().size() - 2), (QStringList{"必须先选择物料！", "必须先选择物料！"}));
}

TEST_F(EditWindow, LeavingACellResolvesOnlyWhatChanged) {
    OpenExisting(EditStatus::Modify, 1);
    Type(1, "x");
    Press(Qt::Key_Down);
    EXPECT_EQ(Messages(), QStringList{kNotFound});
    EXPECT_EQ(window->Grid()->ActiveRow(), 1) << "the cursor stays in the cell";

    window->Grid()->SetCellText(2, 1, "01.01.001");
    Press(Qt::Key_Down);
    EXPECT_EQ(window->Grid()->ActiveRow(), 2);
    EXPECT_EQ(Messages().size(), 1) << "the text equals the value: nothing to resolve";

    Type(6, "");
    window->Grid()->SetCellText(2, 6, "");
    EXPECT_TRUE(window->Grid()->EndEdit());
    EXPECT_EQ(window->RowValues(6).ID, "");
    EXPECT_EQ(window->RowValues(6).Value, QVariant(""));
}
