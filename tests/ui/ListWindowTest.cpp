#include "platform/controls/KeyedTreeView.h"
#include "platform/controls/LedgerGrid.h"
#include "src/data/CDetail.h"
#include "src/ui/list/ListLayout.h"
#include "src/ui/list/ListMenus.h"
#include "tests/ui/ListScene.h"

#include <gtest/gtest.h>
#include <QAction>
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

}  // namespace

TEST_F(ListWindow, OpensWithTheTreeLoadedOnlyTheHeaderShownAndTheBarsAsLastLeft) {
    auto* tree = window().Tree();
    EXPECT_EQ(tree->SelectedKey(), "KP0");
    EXPECT_EQ(tree->NodeText("KP0"), "物料");
    EXPECT_EQ(tree->NodeText("KP11"), "01.01(外壳)");
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
    EXPECT_FALSE(next.Menus()->Band()->isVisible());
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
    window().Menus()->ToolClick("Export");                    // not a tool name: nothing
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
    EXPECT_DOUBLE_EQ(window().Tree()->font().pointSizeF(), 12);
    EXPECT_GE(window().Ldg()->RowHeight(), 285);

    host.SetUserProfile("frmBatchTrace", "GridFont",
                        "FontName=WenQuanYi Micro Hei|FontSize=14|FontBold=1|FontItalic=0|");
    list.Open();
    EXPECT_DOUBLE_EQ(window().AppliedFontSize(), 0);
    EXPECT_TRUE(window().Tree()->font().bold());
    EXPECT_DOUBLE_EQ(window().Ldg()->font().pointSizeF(), 14);
}

TEST(ListLayout, ATooSmallWindowKeepsTheLastSizesAndTheSplitterStopsAt1680FromEitherEdge) {
    ListLayout l;
    LayoutResize(l, 12000, 8000);
    const TwipRect grid = l.grid;
    LayoutResize(l, 1000, 500);
    LayoutStatusBarToggled(l, false);  // top 645 is below 500: still kept
    EXPECT_EQ(l.grid.width, grid.width);
    EXPECT_EQ(l.tree.height, grid.height);
    LayoutResize(l, 12000, 8000);
    EXPECT_EQ(l.grid.Bottom(), 8000);

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
