#include "platform/base/HostError.h"
#include "src/host/TraceRights.h"
#include "src/lookup/LookupSql.h"
#include "src/ui/edit/EditLayout.h"
#include "src/ui/edit/RowValue.h"
#include "src/ui/list/EditCommands.h"
#include "tests/edit/EditHost.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/QtPrinters.h"

#include <QAction>
#include <optional>

using namespace qor;
using qor::test::EditWindow;

namespace {

const QString kAskSave = "数据已经改变，是否保存？";

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

QString Describe(const VectorPtr& request) {
    QStringList parts{NullToEmpty(request->Item(1)), NullToEmpty(request->Item(2))};
    const auto fields = request->Item(3).value<DictionaryPtr>();
    for (int i = 0; i < fields->Count(); ++i) parts.append(fields->KeyAt(i) + u'=' + NullToEmpty(fields->ValueAt(i)));
    return parts.join(u';');
}

// The list window on item 1024 (three records) with the edit commands
// installed; what the edit window showed when it opened is kept in shown.
class EditCommands : public ::testing::Test {
protected:
    void SetUp() override {
        list.records = 3;
        list.Open();
        list.ShowItem();
    }
    // Runs the command; act is done on the edit window once it is shown,
    // which is then closed by its Exit button.
    void Run(const char* menu, const std::function<void(frmProperty&)>& act = {}) {
        test::WhenModalShown([this, act](QWidget* modal) {
            auto* edit = qobject_cast<frmProperty*>(modal);
            ASSERT_NE(edit, nullptr);
            status = edit->Status();
            shown.clear();
            for (int row = 1; row <= 7; ++row) shown.append(edit->Grid()->CellText(2, row));
            if (act) act(*edit);
            edit->Tool("Exit")->trigger();
        });
        list.window->RunMenu(menu);
    }
    QStringList Messages() const { return fakes.host.messages.Texts(); }

    test::EditHost fakes;
    test::ListScene list{fakes.host};
    QStringList shown;
    std::optional<EditStatus> status;  // empty until the edit window opens
};

}  // namespace

TEST_F(EditWindow, CellLocksFollowTheStatusAndTheBanRight) {
    OpenNew();  // its cells are checked where the list opens it
    EXPECT_TRUE(window->DataChanged());
    EXPECT_EQ(Locks(*window->Grid()), "ELYLYEEEE");
    EXPECT_FALSE(window->Tool("Ne")->isEnabled());

    OpenExisting(EditStatus::View, 1);
    EXPECT_EQ(Locks(*window->Grid()), "LLYLYLLLL");
    EXPECT_FALSE(window->Tool("New")->isEnabled());
    EXPECT_FALSE(window->Tool("Save")->isEnabled());

    fakes.host.SetRights(0x7FFFFFFF & ~kRightBan);
    OpenExisting(EditStatus::Modify, 1);
    EXPECT_EQ(Locks(*window->Grid()), "ELYLYEEELY");
}

TEST_F(EditWindow, AnExistingRecordLoadsAsUnchangedAndQuotesBarsOrEnterDoNotChangeIt) {
    OpenExisting(EditStatus::Modify, 2);
    EXPECT_EQ((QStringList{Cell(4), Cell(6), Cell(7)}), (QStringList{"SO1", "B2", "1"}));
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

    Press(Qt::Key_Return);
    EXPECT_EQ(Cell(2), "控制板");
    EXPECT_EQ(Cell(3), "12V");
    EXPECT_EQ(Cell(4), "") << "another item empties the sales order";
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

TEST_F(EditWindow, ATypedCodeIsResolvedWhenItsCellIsLeftAndAnUnknownOneKeepsTheCursorThere) {
    OpenExisting(EditStatus::Modify, 1);
    Type(1, "x");
    Press(Qt::Key_Down);
    EXPECT_EQ(Messages(), QStringList{"你输入的资料不存在或你没有使用该资料的权限！"});
    EXPECT_EQ(window->Grid()->ActiveRow(), 1);
    window->Grid()->SetCellText(2, 1, "01.01.001");
    Press(Qt::Key_Down);
    EXPECT_EQ(window->Grid()->ActiveRow(), 2);
    EXPECT_EQ(Messages().size(), 1) << "the text equals the value: nothing to resolve";

    EXPECT_EQ(window->ResolveInput(2, 1, ""), 0);
    EXPECT_EQ(window->ResolveInput(2, 6, "NEW-7"), 1) << "a new batch number is taken as typed";
    EXPECT_EQ(window->RowValues(6).ID, "NEW-7");
    EXPECT_EQ(window->ResolveInput(2, 4, "SO9"), -1);

    window->ClearForNew();
    EXPECT_EQ(window->ResolveInput(2, 6, "B1"), 0);
    EXPECT_EQ(window->ResolveInput(2, 5, "BOM1"), 0);
    EXPECT_EQ(Messages().mid(Messages().size() - 2), (QStringList{"必须先选择物料！", "必须先选择物料！"}));
}

TEST_F(EditWindow, ANewRecordNeedsItsReferencesInOrderThenIsInsertedLoggedAndClearedForTheNext) {
    OpenNew();
    window->ClearForNew();
    EXPECT_EQ(window->CheckInput(), -1);
    window->ResolveInput(2, 1, "01.01.001");
    EXPECT_EQ(window->CheckInput(), -1);
    Type(5, "BOM1");
    Press(Qt::Key_Return);
    EXPECT_EQ(window->CheckInput(), -1);
    Type(6, "0");
    Press(Qt::Key_Return);
    window->Tool("Save")->trigger();

    ASSERT_EQ(fakes.requests.size(), 1u) << "a batch number 0 is a batch number";
    EXPECT_EQ(Describe(fakes.requests[0]),
              "INS;0;FItemID=1024;FOrderBillNo=0;FCustBomNo=7;FBatchNo=0;FForBid=0;EntryID=0");
    EXPECT_EQ(Messages(), (QStringList{"必须录入物料！", "必须录入客户BOM！", "必须录入批号！", "保存成功！"}));
    EXPECT_EQ(fakes.LogTexts(), QStringList{"新增物料: 电机外壳 客户BOM批次对应信息成功！"});
    EXPECT_EQ(Cell(1) + Cell(5) + Cell(6), "") << "cleared for the next record";

    window->Tool("Save")->trigger();
    EXPECT_EQ(fakes.requests.size(), 1u) << "nothing changed: nothing saved, nothing shown";
    EXPECT_EQ(Messages().size(), 4);
}

TEST_F(EditWindow, AModifiedRecordIsUpdatedAndARefusedOrFailedSaveKeepsTheChange) {
    OpenExisting(EditStatus::Modify, 2);
    Type(6, "B9");
    fakes.saveAnswer = 0;
    fakes.saveMessage = "批号重复！";
    window->Tool("Save")->trigger();
    EXPECT_EQ(Messages(), QStringList{"保存失败！批号重复！"});
    EXPECT_FALSE(window->IsDirty()) << "the list is not reloaded";

    fakes.saveAnswer = 1;
    window->Tool("Save")->trigger();
    ASSERT_EQ(fakes.requests.size(), 2u);
    EXPECT_EQ(Describe(fakes.requests[1]),
              "UPT;102;FItemID=1024;FOrderBillNo=3;FCustBomNo=7;FBatchNo=B9;FForBid=1;EntryID=0");
    EXPECT_EQ(fakes.LogTexts(), (QStringList{"修改物料: 电机外壳 客户BOM批次对应信息失败！",
                                             "修改物料: 电机外壳 客户BOM批次对应信息成功！"}));
    EXPECT_EQ(Cell(6), "B9") << "a modified record stays shown";

    fakes.saveData->On("SaveBatchTraceData", [](QVariantList&) -> QVariant { throw HostError("断开"); });
    EXPECT_EQ(window->SaveRecord(), -1);
    EXPECT_EQ(Messages().last(), "保存失败！");
    EXPECT_EQ(fakes.LogTexts().size(), 2) << "no log entry after an error";
}

// Steps by keys go up over the values they bring: no change of the user's,
// and no question at the next step; both ends of the list stop them.
TEST_F(EditWindow, KeysStepThroughTheListSaveStartANewRecordAndExitLeavingNoChangeBehind) {
    OpenExisting(EditStatus::Modify, 1);
    EXPECT_TRUE(window->Grid()->currentIndex().isValid()) << "a current cell from the start";
    Press(Qt::Key_PageUp);
    EXPECT_EQ(Messages(), QStringList{"已经是第一条记录。"});
    window->Grid()->SetActiveCell(2, 6);  // the batch, different in every record
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, const char*> steps[]{{Qt::Key_PageDown, Qt::NoModifier, "B2"},
                                                                          {Qt::Key_End, Qt::ControlModifier, "B3"},
                                                                          {Qt::Key_PageDown, Qt::NoModifier, "B3"},
                                                                          {Qt::Key_PageUp, Qt::NoModifier, "B2"},
                                                                          {Qt::Key_Home, Qt::ControlModifier, "B1"}};
    for (const auto& [key, modifiers, batch] : steps) {
        Press(key, modifiers);
        EXPECT_EQ(Cell(6), batch) << key;
        EXPECT_FALSE(window->DataChanged()) << key;
    }
    EXPECT_EQ(Messages().last(), "已经是最后一条记录。");
    for (const Qt::Key key : {Qt::Key_Backtab, Qt::Key_Tab, Qt::Key_Up, Qt::Key_Down}) {
        Press(key);
        EXPECT_FALSE(window->DataChanged()) << "moving to another cell: " << key;
    }
    Type(6, "B7");
    Press(Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(fakes.requests.size(), 1u);
    EXPECT_FALSE(window->DataChanged());
    Press(Qt::Key_PageDown);
    EXPECT_FALSE(Messages().contains(kAskSave)) << Messages().join(u'|').toStdString();
    Press(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(window->Status(), EditStatus::New);
    Press(Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(EditWindow, UnsavedChangesAreOfferedForSavingBeforeAStep) {
    OpenExisting(EditStatus::Modify, 1);
    Type(6, "B7");
    fakes.host.messages.Answer(2);
    window->Tool("Ne")->trigger();
    EXPECT_EQ(Messages(), QStringList{kAskSave});
    EXPECT_EQ(Cell(6), "B2") << "answered no: moved, the change dropped";
    EXPECT_TRUE(fakes.requests.empty());

    Type(6, "Z");
    window->Grid()->SetCellText(2, 6, "");
    fakes.host.messages.Answer(1);
    window->Tool("Ne")->trigger();
    EXPECT_EQ(Messages().mid(1), (QStringList{kAskSave, "必须录入批号！"}));
    EXPECT_EQ(window->InterID(), 102) << "the failed save stops the step";
}

TEST_F(EditWindow, NewFromAModifiedRecordAsksFirstAndNeedsTheRight) {
    OpenExisting(EditStatus::Modify, 2);  // a banned record
    fakes.host.SetRights(0x7FFFFFFF & ~kRightNew);
    window->Tool("New")->trigger();
    EXPECT_EQ(Messages().size(), 1);
    EXPECT_EQ(window->Status(), EditStatus::Modify);

    fakes.host.SetRights(0x7FFFFFFF);
    Type(6, "B8");
    fakes.host.messages.Answer(1);
    window->Tool("New")->trigger();
    ASSERT_EQ(fakes.requests.size(), 1u);
    EXPECT_EQ(window->Status(), EditStatus::New);
    EXPECT_EQ(Cell(1), "");
    EXPECT_EQ(Cell(7), "0") << "the ban flag is cleared too";
}

TEST(EditCommandsSql, TheNewRecordsItemStatement) {
    EXPECT_EQ(ItemRecordSql(1024, false),
              "Select FItemID,FNumber AS FItemNumber,FName AS FItemName,FModel From t_ICItem Where FItemID=1024");
    EXPECT_EQ(ItemRecordSql(7, true),
              "Select FItemID,  FShortNumber AS FItemNumber,FName AS FItemName,FModel From t_ICItem Where FItemID=7");
}

TEST_F(EditCommands, NewOpensOnTheItemAndReloadsOnlyAfterASave) {
    const auto loads = list.ListStatements().size();
    Run("mnuEditNew");
    EXPECT_EQ(status, EditStatus::New);
    EXPECT_EQ(shown, (QStringList{"01.01.001", "电机外壳", "220V", "", "", "", "0"}));
    EXPECT_EQ(list.ListStatements().size(), loads) << "closed without saving";

    Run("mnuEditNew", [](frmProperty& edit) {
        edit.ResolveInput(2, 5, "BOM1");
        edit.ResolveInput(2, 6, "N1");
        edit.Tool("Save")->trigger();
    });
    ASSERT_EQ(fakes.requests.size(), 1u);
    EXPECT_EQ(list.ListStatements().size(), loads + 1);

    fakes.host.SetRights(0x7FFFFFFF & ~kRightNew);
    list.window->RunMenu("mnuEditNew");
    EXPECT_EQ(Messages().last(), "当前用户没有新增权限！请与系统管理员联系！");
}

TEST_F(EditCommands, ModifyOpensTheCurrentRowForChangeOrOnlyForViewingAndNothingWithoutTheViewRight) {
    list.window->Ldg()->SetCurrentRow(3);
    Run("mnuEditModify");
    EXPECT_EQ(status, EditStatus::Modify);
    EXPECT_EQ(shown[5], "B2");

    fakes.host.SetRights(0x7FFFFFFF & ~kRightModify);
    list.window->Ldg()->SetCurrentRow(4);
    Run("mnuEditModify");
    EXPECT_EQ(status, EditStatus::View);
    EXPECT_EQ(shown[5], "B3");
    EXPECT_EQ(Messages(), QStringList{"当前用户没有修改权限！请与系统管理员联系！"});

    fakes.host.SetRights(0x7FFFFFFF & ~kRightView);
    list.window->Ldg()->SetCurrentRow(2);
    list.window->RunMenu("mnuEditModify");
    EXPECT_EQ(Messages().mid(1), QStringList{"当前用户没有查看权限！请与系统管理员联系！"});
}

// The filters the window hands to the pickers for item 1024 are checked
// where the user opens them; here the combinations the windows do not reach.
TEST(LookupSql, OrderLineFilterAndStatementTakeWhatIsChosenAndBomSearchesTheCustomersOnly) {
    const QString open = QStringLiteral(
        " v1.FStatus>0 AND u1.FMrpClosed=0 And u1.FItemID In (SELECT x1.FItemID From t_ICItem x1 WHERE "
        "x1.FErpClsID=7)");
    EXPECT_EQ(LookupListFilter(LookupClass::SalesOrder, " 1024 ", " 7 "),
              " u1.FItemID=1024 AND u1.FBomInterID=7 AND" + open);
    EXPECT_EQ(LookupListFilter(LookupClass::SalesOrder, "", "7"), " u1.FBomInterID=7 AND" + open);
    EXPECT_EQ(LookupListFilter(LookupClass::SalesOrder, "", ""), open);
    EXPECT_EQ(LookupListFilter(LookupClass::None, "1024", "7"), "");
    EXPECT_EQ(CodeSearchFilter(LookupClass::CustomerBom, "1024"), " FItemID=1024 And FBomType=3");

    // The statement takes open lines of the chosen order only, closed lines and
    // other classes stay out; the number is quoted safely.
    EXPECT_TRUE(SalesOrderResolveSql("O'K", "", "", "")
                    .endsWith(" WHERE v1.FMrpClosed=0 AND u1.FStatus>0 And t1.FErpClsID=7  AND u1.FBillNo='O''K' "
                              "Order By u1.FInterID,v1.FEntryID"));
    EXPECT_TRUE(SalesOrderResolveSql("SO1", "1024", "7", "v1.FEntryID=2")
                    .contains("='SO1' AND v1.FItemID=1024 AND v1.FBomInterID=7 AND v1.FEntryID=2 Order By"));
}

TEST(EditLayout, FollowsTheWindowAboveThreeThousandTwips) {
    EditLayout layout;
    ArrangeEditLayout(layout, 9015, 6600);
    EXPECT_DOUBLE_EQ(layout.gridHeight, 6000 - 420 - 60);
    EXPECT_DOUBLE_EQ(layout.col2Width, 5920 - 240);
    ArrangeEditLayout(layout, 2990, 2990);
    EXPECT_DOUBLE_EQ(layout.tabWidth, 9000) << "keeps the last layout";
    ArrangeEditLayout(layout, 2000, 3000);
    EXPECT_DOUBLE_EQ(layout.tabWidth, 1985) << "one side at 3000 is enough";
}
