#include "platform/controls/KeyedTreeView.h"
#include "platform/controls/LedgerGrid.h"
#include "src/data/CDetail.h"
#include "src/host/ProgIds.h"
#include "src/ui/list/ListLayout.h"
#include "src/ui/list/ListMenus.h"
#include "src/ui/list/RecordCommands.h"
#include "tests/ui/ListScene.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QSettings>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QToolBar>

using namespace qor;

namespace {

class ListWindow : public ::testing::Test {
protected:
    void SetUp() override { list.Open(); }
    // The seven record commands in menu and toolbar: all enabled or all disabled.
    bool RecordCommandsEnabled() const {
        int enabled = 0;
        for (const QString& name : kRecordMenus) enabled += window().Menus()->Menu(name)->isEnabled();
        for (const QString& name : kRecordTools) enabled += window().Menus()->Tool(name)->isEnabled();
        EXPECT_TRUE(enabled == 0 || enabled == kRecordMenus.size() + kRecordTools.size());
        return enabled > 0;
    }
    void SelectWithKeyboard(const QString& key) {
        auto* tree = window().Tree();
        tree->setFocus();
        for (int i = 0; i < 10 && tree->SelectedKey() != key; ++i) {
            tree->expandAll();
            QTest::keyClick(tree, Qt::Key_Down);
        }
        ASSERT_EQ(tree->SelectedKey(), key);
    }
    frmBatchTrace& window() const { return *list.window; }

    test::FakeHost host;
    test::ListScene list{host};
};

QString Describe(const DictionaryPtr& map) {
    QStringList parts;
    for (const QString& key : map->Keys()) parts.append(key + u'=' + map->Item(key).toString());
    return parts.join(u';');
}

// The list of item 1024 with record 1 current; the save component answers
// saveAnswer and saveMessage.
class RecordCommands : public ListWindow {
protected:
    void SetUp() override {
        saver->On("SaveBatchTraceData", [this](QVariantList& args) {
            args[2] = saveMessage;
            return QVariant(saveAnswer);
        });
        ListWindow::SetUp();
        list.ShowItem();
        window().Ldg()->SetCurrentRow(2);
    }
    QStringList Shown() const { return host.messages.Texts(); }
    // Runs the command, answering its question with yes.
    void Press(const char* menu) {
        host.messages.Answer(1);
        window().RunMenu(menu);
    }

    test::FakeObjectPtr saver = test::RegisterFake(host::progid::kSaveData);
    QString saveMessage;
    int saveAnswer = 1;
};

}  // namespace

TEST_F(ListWindow, OpensWithTheTreeLoadedOnlyTheHeaderShownAndTheBarsAsLastLeft) {
    auto* tree = window().Tree();
    EXPECT_EQ(tree->SelectedKey(), "KP0");
    EXPECT_EQ(tree->ParentKey("KD1024"), "KP11");
    EXPECT_EQ(window().Ldg()->Rows(), 1);
    EXPECT_TRUE(list.ListStatements().isEmpty());
    EXPECT_FALSE(RecordCommandsEnabled());
    for (const char* other : {"mnuPrint", "mnuPrintPreview", "mnuExport", "mnuRefresh"})
        EXPECT_TRUE(window().Menus()->Menu(other)->isEnabled()) << other;
    EXPECT_TRUE(window().Menus()->Menu("mnuShowStatus")->isChecked());  // no section in the settings file yet

    window().Menus()->Menu("mnuShowStatus")->trigger();
    window().Menus()->Menu("mnuShowToolBar")->trigger();
    EXPECT_FALSE(window().findChild<QStatusBar*>("sbStatusBar")->isVisible());
    EXPECT_EQ(QSettings(list.dir.filePath("VUZOvuvir.INI"), QSettings::IniFormat).value("frmBatchTrace/mnuShowStatus"),
              0);
    frmBatchTrace& next = list.Open();
    EXPECT_FALSE(next.Menus()->Menu("mnuShowStatus")->isChecked()) << "remembered for the next start";
    EXPECT_FALSE(next.Menus()->Menu("mnuShowToolBar")->isChecked());
}

TEST_F(ListWindow, SelectingAnItemListsItsRecordsAndGroupsShowNothing) {
    SelectWithKeyboard("KD1024");
    EXPECT_EQ(list.ListStatements().size(), 1);
    EXPECT_EQ(window().Ldg()->Rows(), 6);
    EXPECT_TRUE(RecordCommandsEnabled());

    window().Tree()->SelectNode("KP11");
    Q_EMIT window().Tree()->NodeClick("KP11");
    EXPECT_EQ(window().Ldg()->Rows(), 1);
    EXPECT_FALSE(RecordCommandsEnabled());
}

TEST_F(ListWindow, FilterAndSortApplyToTheCurrentNodeAndDropEachOther) {
    window().frm_FilterNow(" AND t1.FName LIKE '%12%'");
    EXPECT_TRUE(list.ListStatements().last().contains("\r\n AND t1.FName LIKE '%12%'\r\nORDER BY  t1.FNumber"));
    EXPECT_EQ(window().Ldg()->Rows(), 8);

    SelectWithKeyboard("KD1024");
    window().frm_FilterNow(" AND t1.FName LIKE '%12%'");
    EXPECT_TRUE(list.ListStatements().last().contains("\r\n AND t1.FName LIKE '%12%' and t1.FItemID=1024\r\n"));
    window().frm_SortNow("t1.FNumber ASC,v1.FBatchNo DESC");
    EXPECT_TRUE(list.ListStatements().last().contains(
        "\r\n and t1.FItemID=1024\r\nORDER BY t1.FNumber ASC,v1.FBatchNo DESC\r\n"));
}

TEST_F(ListWindow, ToolsAndKeysRunTheirMenuItemsAndEscKeepsTheWindowOpen) {
    QStringList ran;
    const std::pair<QKeySequence, const char*> keys[] = {
        {QKeySequence::Delete, "mnuEditDelete"}, {QKeySequence("Ctrl+P"), "mnuPrint"},
        {QKeySequence("Ctrl+E"), "mnuExport"},   {QKeySequence("Ctrl+Shift+F"), "mnuFilter"},
        {QKeySequence("Ctrl+N"), "mnuEditNew"},  {QKeySequence(Qt::Key_F5), "mnuRefresh"},
    };
    for (const char* menu : {"mnuEditModify", "mnuPrintPreview"})
        window().SetCommand(menu, [&ran, menu] { ran << menu; });
    for (const auto& [key, menu] : keys) window().SetCommand(menu, [&ran, menu = menu] { ran << menu; });
    window().Menus()->ToolClick("NEW");
    window().Menus()->ToolClick("Preview");
    QTest::keyClick(window().Ldg()->View(), Qt::Key_Return);  // the header row alone: nothing to activate
    EXPECT_EQ(ran, (QStringList{"mnuEditNew", "mnuPrintPreview"}));
    SelectWithKeyboard("KD1024");
    for (const auto& [key, menu] : keys) {
        QTest::keySequence(window().Ldg()->View(), key);
        EXPECT_EQ(ran.last(), menu) << key.toString().toStdString();
    }
    window().Ldg()->SetCurrentRow(3);
    QTest::keyClick(window().Ldg()->View(), Qt::Key_Return);  // row activation runs modify
    EXPECT_EQ(ran.last(), "mnuEditModify");
    window().Ldg()->View()->setFocus();
    QTest::keyClick(window().Ldg()->View(), Qt::Key_Tab);
    EXPECT_FALSE(window().Ldg()->isAncestorOf(QApplication::focusWidget())) << "Tab leaves the rows";

    QTest::keyClick(window().Ldg()->View(), Qt::Key_Escape);
    EXPECT_TRUE(window().isVisible());
    window().Menus()->ToolClick("QUIT");
    EXPECT_FALSE(window().isVisible());
}

TEST_F(ListWindow, FontsComeFromTheProfileOrElseTheReportSizeOnce) {
    QString reportSize = "20";
    host.connection->On("Execute", [&reportSize](QVariantList&) {
        return QVariant::fromValue(test::Rows({"FValue"}, {{reportSize}}));
    });
    list.Open();
    EXPECT_DOUBLE_EQ(window().AppliedFontSize(), 0) << "report sizes beyond 9 to 18 are ignored";
    reportSize = "12";
    list.Open();
    EXPECT_DOUBLE_EQ(window().Ldg()->font().pointSizeF(), 12);
    EXPECT_GE(window().Ldg()->RowHeight(), 285);

    host.SetUserProfile("frmBatchTrace", "GridFont",
                        "FontName=WenQuanYi Micro Hei|FontSize=14|FontBold=1|FontItalic=0|");
    list.Open();
    EXPECT_DOUBLE_EQ(window().AppliedFontSize(), 0);
    EXPECT_TRUE(window().Tree()->font().bold());
    EXPECT_DOUBLE_EQ(window().Ldg()->font().pointSizeF(), 14);
}

// Banned rows are drawn muted; a header click sorts as the sort dialog would,
// a second click the other way.
TEST_F(ListWindow, BannedRowsAreMutedAndAHeaderClickSortsTheList) {
    list.ShowItem();
    const QAbstractItemModel* model = window().Ldg()->View()->model();
    EXPECT_EQ(model->index(1, 0).data(Qt::ForegroundRole).value<QColor>(),
              window().Ldg()->palette().color(QPalette::Disabled, QPalette::Text));  // record 2 is banned
    EXPECT_FALSE(model->index(0, 0).data(Qt::ForegroundRole).isValid());

    QHeaderView* header = window().Ldg()->View()->horizontalHeader();
    for (const char* order : {"v1.FBatchNo ASC", "v1.FBatchNo DESC"}) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(5) + 5, header->height() / 2));
        EXPECT_TRUE(
            list.ListStatements().last().endsWith(" and t1.FItemID=1024\r\nORDER BY " + QString(order) + "\r\n"))
            << list.ListStatements().last().toStdString();
    }
    EXPECT_EQ(header->sortIndicatorSection(), 5);
}

TEST_F(ListWindow, ReopensWhereTheUserLeftIt) {
    list.ShowItem();
    window().resize(600, 420);
    window().move(40, 30);
    const int designTree = window().Tree()->width();
    QWidget* splitter = window().findChild<QWidget*>("imgSplitVer");
    for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseMove, QEvent::MouseButtonRelease}) {
        QMouseEvent drag(type, QPointF(60, 5), splitter->mapToGlobal(QPointF(60, 5)), Qt::LeftButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(splitter, &drag);
    }
    window().Ldg()->View()->horizontalHeader()->resizeSection(5, 140);
    const QRect geometry = window().geometry();
    const int tree = window().Tree()->width();
    EXPECT_NE(tree, designTree);
    window().close();

    list.Open();
    list.ShowItem();
    EXPECT_EQ(window().geometry(), geometry);
    EXPECT_EQ(window().Tree()->width(), tree);
    EXPECT_EQ(window().Ldg()->View()->columnWidth(5), 140);
}

TEST(ListLayout, TheSplitterStopsAt1680FromEitherEdge) {
    ListLayout l;
    LayoutResize(l, 9585, 6690);
    BeginSplitterDrag(l);
    const std::pair<double, double> moves[] = {{-2000, 1680}, {9000, 9585 - 1680}, {270, 3000}};
    for (const auto& [mouse, bar] : moves) {
        MoveSplitterDrag(l, mouse, 9585);
        EXPECT_EQ(l.dragBar.left, bar) << mouse;
    }
    LayoutSplitterReleased(l, l.dragBar.left);
    EXPECT_EQ(l.tree.width, 3000);
}

TEST_F(RecordCommands, DeleteAsksThenChecksTheRightThenSavesAndLogsAndAFailureKeepsTheList) {
    const auto loads = list.ListStatements().size();
    const auto rightChecks = host.glData->CallsOf("AccessCheck").size();
    host.messages.Answer(2);
    window().RunMenu("mnuEditDelete");
    EXPECT_EQ(host.glData->CallsOf("AccessCheck").size(), rightChecks) << "the question comes first";
    EXPECT_EQ(Shown(), QStringList{"是否删除当前记录？"});

    host.SetRights(0x200000 | 0x20000 | 0x400000);  // clerk: no delete right
    Press("mnuEditDelete");
    EXPECT_EQ(Shown().last(), "当前用户没有删除权限！请与系统管理员联系！");

    host.SetRights(0x7FFFFFFF);
    saveAnswer = 0;
    saveMessage = "记录不存在。";
    Press("mnuEditDelete");
    EXPECT_EQ(Shown().last(), "删除失败！记录不存在。");
    EXPECT_EQ(host.glData->CallsOf("WriteLog").at(0).args[2], "删除物料: 电机外壳 客户BOM批次对应信息失败！");
    EXPECT_EQ(list.ListStatements().size(), loads);

    saveAnswer = 1;
    saveMessage = "删除成功！";
    Press("mnuEditDelete");
    EXPECT_EQ(Shown().mid(5), (QStringList{"是否删除当前记录？", "删除成功！"}));
    EXPECT_EQ(host.glData->CallsOf("WriteLog").at(1).args,
              (QVariantList{"K810022", 3, "删除物料: 电机外壳 客户BOM批次对应信息成功！"}));
}

// Ban sends the visible columns with internal ids; a hidden column and empty
// texts are left out, a zero is kept.
TEST_F(RecordCommands, BanSendsTheVisibleColumnsWithInternalIds) {
    const auto loads = list.ListStatements().size();
    Press("mnuEditBan");
    const VectorPtr request = saver->CallsOf("SaveBatchTraceData").back().args[1].value<VectorPtr>();
    EXPECT_EQ(Describe(request->Item(3).value<DictionaryPtr>()),
              "FItemID=1024;FOrderBillNo=3;FCustBomNo=7;FBatchNo=B1;FForBid=1");
    EXPECT_EQ(request->Item(1).toString() + request->Item(2).toString(), "UPT101");
    EXPECT_TRUE(host.glData->CallsOf("WriteLog").empty());
    EXPECT_EQ(list.ListStatements().size(), loads + 1);

    RecordsetPtr record = test::Rows({"FItemID", "FBatchNo", "FCustBOMID", "FOrderInterID", "FForbid", "FTraceID"},
                                     {{1024, "", QVariant(), QVariant(), 0, 102}});
    list.schema->Item(7).value<DictionaryPtr>()->Set("FColVisible", 0);
    EXPECT_EQ(Describe(BanRecordMap(list.schema, *record, false)), "FItemID=1024;FOrderBillNo=0;FCustBomNo=0");
}

TEST_F(RecordCommands, BanAndUnbanTellTheStateAfterTheQuestionAndTheRight) {
    Press("mnuEditUnBan");
    EXPECT_EQ(Shown(), (QStringList{"是否反禁用当前记录？", "当前记录没有被禁用！"}));

    window().Ldg()->SetCurrentRow(3);  // record 2 is banned
    host.messages.Answer(1);
    EXPECT_EQ(BanData(window(), true), -1);
    EXPECT_EQ(Shown().mid(2), (QStringList{"是否禁用当前记录？", "当前记录已经被禁用！"}));
    EXPECT_TRUE(saver->CallsOf("SaveBatchTraceData").empty());

    host.SetRights(0x200000);
    Press("mnuEditUnBan");
    EXPECT_EQ(Shown().last(), "当前用户没有反禁用权限！请与系统管理员联系！");

    host.SetRights(0x7FFFFFFF);
    saveAnswer = 0;
    saveMessage = "记录已被删除。";
    host.messages.Answer(1);
    const auto loads = list.ListStatements().size();
    EXPECT_EQ(BanData(window(), false), -1);
    EXPECT_EQ(Shown().last(), "保存失败！记录已被删除。");
    EXPECT_EQ(list.ListStatements().size(), loads);
}
