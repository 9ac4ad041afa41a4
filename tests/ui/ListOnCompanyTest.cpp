#include "platform/controls/KeyedTreeView.h"
#include "platform/controls/LedgerGrid.h"
#include "platform/db/DemoCompany.h"
#include "src/common/ShortNumberSwitch.h"
#include "src/component/COrderBatchTrace.h"
#include "src/ui/edit/frmProperty.h"
#include "src/ui/find/frmFindBatch.h"
#include "src/ui/list/ListMenus.h"
#include "src/ui/list/frmBatchTrace.h"
#include "tests/support/DemoLogin.h"
#include "tests/support/FakeObject.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/QueryResults.h"
#include "tests/support/ScratchCompany.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using namespace qor;

namespace {

// The list window of the demo company, logged in as administrator, driven
// with the mouse; message boxes are scripted and recorded.
class ListOnCompany : public ::testing::TestWithParam<test::TestBackend> {
protected:
    void SetUp() override {
        QOR_SKIP_UNAVAILABLE(GetParam());
        place_ = std::make_unique<test::ScratchCompany>(GetParam());
        database_ = place_->Create();
        db::CreateDemoCompany(*database_);
    }

    void Open() {
        session_ = test::LogInAs(place_->ConnectionText(), "administrator");
        ASSERT_TRUE(session_);
        messages_ = std::make_unique<test::ScriptedMessages>();
        trace_ = std::make_unique<COrderBatchTrace>();
        window_ = std::make_unique<frmBatchTrace>();
        window_->SetSettingsPath(dir_.filePath("VUZOvuvir.INI"));
        window_->SetVectCol(trace_->VectCol());
        window_->Load();
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    }

    int Scalar(const QString& sql, const QVariantList& params) const {
        return test::Scalar(*database_, sql, params).toInt();
    }
    int ItemId(const QString& number) const {
        return Scalar("SELECT FItemID FROM t_ICItem WHERE FNumber = ?", {number});
    }
    QString NodeOf(const QString& number) const { return QStringLiteral("KD%1").arg(ItemId(number)); }

    // Expands the node's groups and clicks it.
    void ClickNode(const QString& key) {
        controls::KeyedTreeView* tree = window_->Tree();
        QTreeWidgetItem* item = tree->findItems(tree->NodeText(key), Qt::MatchExactly | Qt::MatchRecursive).value(0);
        ASSERT_NE(item, nullptr);
        for (QTreeWidgetItem* p = item->parent(); p; p = p->parent()) p->setExpanded(true);
        tree->scrollToItem(item);
        const QRect rect = tree->visualItemRect(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, QPoint(rect.left() + 4, rect.center().y()));
        ASSERT_EQ(window_->CurrentNodeKey(), key);
    }

    void ClickItem(const QString& number) { ClickNode(NodeOf(number)); }

    void ClickRow(int ledgerRow) {
        QTableView* view = window_->Ldg()->View();
        const QModelIndex index = view->model()->index(ledgerRow - 2, 1);
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
        ASSERT_EQ(window_->Ldg()->CurrentRow(), ledgerRow);
    }

    QStringList Company() const {
        return test::Rows(*database_, "SELECT * FROM ICOrderBatchTrace") +
               test::Rows(*database_, "SELECT * FROM t_Log");
    }

    // Presses each record command and tells what any of them showed or
    // opened; a window the command opened is closed again.
    QStringList PressRecordCommands() {
        QStringList seen;
        for (const char* name : {"mnuEditDelete", "mnuEditBan", "mnuEditUnBan", "mnuEditModify"}) {
            QTimer::singleShot(0, [&seen] {
                if (QWidget* modal = QApplication::activeModalWidget()) {
                    seen.append(modal->windowTitle());
                    modal->close();
                }
            });
            window_->Menus()->Menu(QLatin1String(name))->trigger();
            QCoreApplication::processEvents();
        }
        return seen + messages_->Texts();
    }

    std::unique_ptr<test::ScratchCompany> place_;
    db::DatabasePtr database_;
    services::SessionPtr session_;
    std::unique_ptr<test::ScriptedMessages> messages_;
    std::unique_ptr<COrderBatchTrace> trace_;
    QTemporaryDir dir_;
    std::unique_ptr<frmBatchTrace> window_;
};

TEST_P(ListOnCompany, ANewListHasNoCurrentRecordUntilTheUserSelectsOne) {
    const QString emptyItem = "01.01.001.9999";
    database_->Execute(QStringLiteral("INSERT INTO t_ICItem (FItemID, FNumber, FShortNumber, FName, FModel, FErpClsID, "
                                      "FParentID, FUnit) SELECT 99999, ?, '9999', '新物料', '', 7, FParentID, FUnit "
                                      "FROM t_ICItem WHERE FNumber = '01.01.001.0012'"),
                       {emptyItem});
    Open();
    const QStringList before = Company();
    const std::vector<std::pair<const char*, std::function<void()>>> reloads = {
        {"another item", [&] { ClickItem("01.01.001.0031"); }},
        {"an item without records", [&] { ClickItem(emptyItem); }},
        {"refresh", [&] { window_->RunMenu("mnuRefresh"); }},
        {"filter", [&] { window_->frm_FilterNow(" and v1.FForbid=0"); }},
        {"sort", [&] { window_->frm_SortNow(" v1.FBatchNo DESC"); }},
    };
    for (const auto& [what, reload] : reloads) {
        ClickItem("01.01.001.0012");
        window_->RunMenu("mnuRefresh");  // drops the last filter or sort
        ASSERT_EQ(window_->Ldg()->Rows(), 16);
        ClickRow(13);
        reload();
        EXPECT_EQ(window_->Ldg()->CurrentRow(), 1) << what;
        EXPECT_FALSE(window_->Ldg()->View()->selectionModel()->hasSelection()) << what;
        EXPECT_EQ(PressRecordCommands(), QStringList()) << what;
        EXPECT_EQ(Company(), before) << what;
    }
}

TEST_P(ListOnCompany, TheSelectedRecordIsTheOneDeletedAndASavedListKeepsTheRecordTheEditWindowShowedLast) {
    Open();
    ClickItem("01.01.001.0012");
    ClickItem("01.01.001.0031");
    ClickRow(3);
    const QString batch = window_->Ldg()->CellText(3, 6);
    messages_->Answer(1);
    window_->RunMenu("mnuEditDelete");
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM ICOrderBatchTrace WHERE FItemID = ? AND FBatchNo = ?",
                     {ItemId("01.01.001.0031"), batch}),
              0);
    EXPECT_EQ(window_->Ldg()->Rows(), 6);

    ClickRow(2);
    int shown = 0;
    QTimer::singleShot(0, [&shown] {
        auto* edit = qobject_cast<frmProperty*>(QApplication::activeModalWidget());
        ASSERT_NE(edit, nullptr);
        edit->MoveRecord(MoveDirection::Next);
        shown = edit->InterID();
        EXPECT_EQ(edit->SaveRecord(), 1);
        edit->close();
    });
    window_->RunMenu("mnuEditModify");
    ASSERT_NE(shown, 0);
    EXPECT_EQ(window_->GetListData()->Fields("FTraceID").Value().toInt(), shown);
    EXPECT_TRUE(window_->Ldg()->View()->selectionModel()->isRowSelected(window_->Ldg()->CurrentRow() - 2));
}

TEST_P(ListOnCompany, InShortNumberModeTheTreeLoadsAndListsAnItem) {
    database_->Execute("UPDATE t_SystemProfile SET FValue = '1' WHERE FCategory = 'IC' AND FKey = 'UseShortNumber'");
    Open();
    EXPECT_TRUE(UseShortNumber());
    EXPECT_EQ(window_->Tree()->NodeText(NodeOf("01.01.001.0012")).left(4), "0012");
    ClickItem("01.01.001.0012");
    EXPECT_EQ(window_->Ldg()->Rows(), 16);
    EXPECT_EQ(window_->Ldg()->CellText(2, 1), "0012");
    SetUseShortNumber(false);
}

// Ctrl+F on the root: typing finds records of any item; Enter goes to one in
// the list, the context menu's traces show its order's batches, and a ban
// made in the list shows in the found rows.
TEST_P(ListOnCompany, TheFindWindowGoesToARecordAndTracesItsOrder) {
    Open();
    QTest::keyClick(window_.get(), Qt::Key_F, Qt::ControlModifier);
    auto* find = window_->findChild<frmFindBatch*>();
    ASSERT_NE(find, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(find));
    QTest::keyClicks(find->Field(), "2026032");
    QTest::qWait(frmFindBatch::kTypingPauseMs + 200);
    QTreeWidget* found = find->Results();
    ASSERT_EQ(found->topLevelItemCount(), frmFindBatch::kPageSize);
    EXPECT_EQ(find->StatusText(), "找到 200 条记录，还有更多");
    find->More();
    EXPECT_GT(found->topLevelItemCount(), frmFindBatch::kPageSize);

    int row = 0;
    while (found->topLevelItem(row)->text(3).isEmpty()) ++row;
    QStringList cells;
    for (int c = 0; c < found->columnCount(); ++c) cells << found->topLevelItem(row)->text(c);
    found->setCurrentItem(found->topLevelItem(row));
    QTest::keyClick(found, Qt::Key_Return);
    EXPECT_EQ(window_->CurrentNodeKey(), NodeOf(cells[0]));
    const RecordsetPtr record = window_->GetListData();
    EXPECT_EQ(record->Fields("FBatchNo").Text(), cells[7]);
    EXPECT_EQ(record->Fields("FOrderBillNo").Text(), cells[3]);
    EXPECT_FALSE(find->isVisible()) << "the record found is not covered";
    window_->RunMenu("mnuFindBatch");
    EXPECT_TRUE(find->isVisible());
    EXPECT_EQ(found->topLevelItem(row)->text(7), cells[7]) << "back with its results";

    find->TraceRow(row, FindScope::Order);
    EXPECT_EQ(found->topLevelItemCount(),
              Scalar("SELECT COUNT(*) FROM ICOrderBatchTrace v JOIN SEOrder o ON o.FInterID = v.FOrderInterID "
                     "WHERE o.FBillNo = ?",
                     {cells[3]}));
    for (int r = 0; r < found->topLevelItemCount(); ++r) EXPECT_EQ(found->topLevelItem(r)->text(3), cells[3]);

    const int traceId = record->Fields("FTraceID").Value().toInt();
    const bool banned = record->Fields("FForbid").Value().toInt() == 1;
    messages_->Answer(1);
    window_->RunMenu(banned ? "mnuEditUnBan" : "mnuEditBan");
    EXPECT_EQ(Scalar("SELECT FForbid FROM ICOrderBatchTrace WHERE FTraceID = ?", {traceId}), banned ? 0 : 1);
    const auto shown = found->findItems(cells[7], Qt::MatchExactly, 7);
    ASSERT_FALSE(shown.isEmpty());
    bool followed = false;
    for (QTreeWidgetItem* item : shown)
        followed = followed || (item->text(0) == cells[0] && item->text(8) == (banned ? "" : "Y"));
    EXPECT_TRUE(followed);

    QString opened;
    test::WhenModalShown([&opened](QWidget* modal) {
        opened = modal->objectName();
        modal->close();
    });
    found->setCurrentItem(shown.first());
    QTest::keyClick(found, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(opened, "frmProperty");
}

QOR_INSTANTIATE_FOR_BACKENDS(ListOnCompany);

}  // namespace
