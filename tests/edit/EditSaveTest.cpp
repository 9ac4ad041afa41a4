#include "platform/base/Convert.h"
#include "platform/base/HostError.h"
#include "platform/base/Variant.h"
#include "platform/controls/PropertyGrid.h"
#include "src/host/TraceRights.h"
#include "src/ui/edit/RowValue.h"
#include "tests/edit/EditHost.h"
#include "tests/support/QtPrinters.h"

#include <QAction>

using namespace qor;
using qor::test::EditWindow;

namespace {

const QString kAskSave = QStringLiteral("数据已经改变，是否保存？");

QString Describe(const VectorPtr& request) {
    QStringList parts{NullToEmpty(request->Item(1)), NullToEmpty(request->Item(2))};
    const auto fields = request->Item(3).value<DictionaryPtr>();
    for (int i = 0; i < fields->Count(); ++i) parts.append(fields->KeyAt(i) + u'=' + NullToEmpty(fields->ValueAt(i)));
    return parts.join(u';');
}

}  // namespace

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
    EXPECT_TRUE(window->IsDirty());
    EXPECT_FALSE(window->DataChanged());
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
    EXPECT_FALSE(window->IsDirty());
    EXPECT_TRUE(window->DataChanged());

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

TEST_F(EditWindow, StepsThroughTheListAndStopsAtBothEnds) {
    OpenExisting(EditStatus::View, 1);
    window->Tool("Pr")->trigger();
    EXPECT_EQ(Messages(), QStringList{"已经是第一条记录。"});
    window->Tool("Ne")->trigger();
    EXPECT_EQ(Cell(6), "B2");
    EXPECT_EQ(window->InterID(), 102);
    window->Tool("La")->trigger();
    EXPECT_EQ(ledger.CurrentRow(), 4);
    window->Tool("Ne")->trigger();
    EXPECT_EQ(Messages().last(), "已经是最后一条记录。");
    EXPECT_EQ(Cell(6), "B3");
    window->Tool("Fr")->trigger();
    EXPECT_EQ(Cell(6), "B1");
    EXPECT_EQ(ledger.CurrentRow(), 2);
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
    EXPECT_EQ(Messages(), QStringList{"当前用户没有新增权限！请与系统管理员联系！"});
    EXPECT_EQ(window->Status(), EditStatus::Modify);

    fakes.host.SetRights(0x7FFFFFFF);
    Type(6, "B8");
    fakes.host.messages.Answer(1);
    window->Tool("New")->trigger();
    ASSERT_EQ(fakes.requests.size(), 1u);
    EXPECT_EQ(window->Status(), EditStatus::New);
    EXPECT_EQ(Cell(1), "");
    EXPECT_EQ(Cell(7), "0") << "the ban flag is cleared too";
    EXPECT_EQ(window->RowValues(7).Value, QVariant(false));
    EXPECT_FALSE(window->Tool("Ne")->isEnabled());
}
