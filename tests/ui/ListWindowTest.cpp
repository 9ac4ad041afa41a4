#include "base/RecordsetBuilder.h"
#include "component/ColumnSchema.h"
#include "controls/KeyedTreeView.h"
#include "controls/LedgerGrid.h"
#include "data/CDetail.h"
#include "support/FakeHost.h"
#include "ui/list/ListMenus.h"
#include "ui/list/frmBatchTrace.h"

#include <QAction>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QStatusBar>
#include <QTableView>
#include <gtest/gtest.h>

using namespace qor;

namespace {

RecordsetPtr Groups() {
    RecordsetBuilder b;
    for (const char* f : {"FItemID", "FName", "FNumber", "FParentID"}) b.AddField(QString::fromLatin1(f));
    b.AddRow({10, "电机", "01", 0});
    b.AddRow({11, "外壳", "01.01", 10});
    return b.Finish();
}

RecordsetPtr Items() {
    RecordsetBuilder b;
    for (const char* f : {"FItemID", "FName", "FNumber", "FParentID", "FDetail"}) b.AddField(QString::fromLatin1(f));
    b.AddRow({1024, "电机外壳", "01.01.001", 11, 1});
    b.AddRow({1025, "控制板", "01.01.002", 11, 1});
    return b.Finish();
}

RecordsetPtr Traces(int count) {
    RecordsetBuilder b;
    for (const char* f : {"FItemID", "FBatchNo", "FCustBOMID", "FOrderInterID", "FForbid", "FItemNumber", "FItemName",
                          "FModel", "FOrderBillNo", "FCustBomNo", "FTraceID"})
        b.AddField(QString::fromLatin1(f));
    for (int i = 1; i <= count; ++i)
        b.AddRow({1024, QStringLiteral("B%1").arg(i), 7, 3, 0, "01.01.001", "电机外壳", "220V", "SO1", "BOM1", 100 + i});
    return b.Finish();
}

// Answers the tree statements and the list statement; the list of item 1024
// has five records, every other list seven.
RecordsetPtr Answer(const QString& sql) {
    if (sql.contains("FROM t_Item t1")) return Groups();
    if (sql.startsWith(" SELECT Distinct t1.FItemID")) return Items();
    if (sql.startsWith("SELECT v1.FItemID")) return Traces(sql.contains("FItemID=1024") ? 5 : 7);
    return nullptr;
}

class ListWindow : public ::testing::Test {
protected:
    void SetUp() override {
        host.SetQueryHandler(Answer);
        BuildColumnSchema(schema);
        window = std::make_unique<frmBatchTrace>();
        window->SetSettingsPath(dir.filePath("VUZOvuvir.INI"));
        window->SetVectCol(schema);
    }
    void Open() {
        window->Load();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    QStringList ListStatements() const {
        QStringList out;
        for (const QString& s : host.Statements())
            if (s.startsWith("SELECT v1.FItemID")) out.append(s);
        return out;
    }
    bool RecordCommandsEnabled() const {
        bool all = true, none = true;
        for (const QString& name : kRecordMenus) {
            all = all && window->Menus()->Menu(name)->isEnabled();
            none = none && !window->Menus()->Menu(name)->isEnabled();
        }
        for (const QString& name : kRecordTools) {
            all = all && window->Menus()->Tool(name)->isEnabled();
            none = none && !window->Menus()->Tool(name)->isEnabled();
        }
        EXPECT_TRUE(all || none);
        return all;
    }
    void SelectWithKeyboard(const QString& key) {
        auto* tree = window->Tree();
        tree->setFocus();
        for (int i = 0; i < 10 && tree->SelectedKey() != key; ++i) {
            tree->expandAll();
            QTest::keyClick(tree, Qt::Key_Down);
        }
        ASSERT_EQ(tree->SelectedKey(), key);
    }

    QTemporaryDir dir;
    test::FakeHost host;
    VectorPtr schema;
    std::unique_ptr<frmBatchTrace> window;
};

}  // namespace

TEST_F(ListWindow, OpensWithTheTreeLoadedAndOnlyTheHeaderShown) {
    Open();
    auto* tree = window->Tree();
    EXPECT_EQ(tree->SelectedKey(), "KP0");
    EXPECT_EQ(window->CurrentNodeKey(), "KP0");
    EXPECT_EQ(tree->NodeText("KP0"), "物料");
    EXPECT_EQ(tree->NodeText("KP11"), "01.01(外壳)");
    EXPECT_EQ(tree->ParentKey("KP11"), "KP10");
    EXPECT_EQ(tree->ParentKey("KD1024"), "KP11");
    EXPECT_EQ(window->Ldg()->Rows(), 1);
    EXPECT_EQ(window->Ldg()->CellText(1, 7), "禁用");
    EXPECT_TRUE(ListStatements().isEmpty());
    EXPECT_FALSE(RecordCommandsEnabled());
    for (const char* other : {"mnuPrint", "mnuPrintPreview", "mnuExport", "mnuRefresh"})
        EXPECT_TRUE(window->Menus()->Menu(other)->isEnabled()) << other;
    EXPECT_TRUE(window->Menus()->Menu("mnuShowStatus")->isChecked());  // no section in the settings file yet
    EXPECT_TRUE(window->Menus()->Band()->isVisible());
}

TEST_F(ListWindow, SelectingAnItemListsItsRecordsAndGroupsShowNothing) {
    Open();
    SelectWithKeyboard("KD1024");
    EXPECT_EQ(window->CurrentNodeKey(), "KD1024");
    ASSERT_EQ(ListStatements().size(), 1);
    EXPECT_TRUE(ListStatements()[0].contains("WHERE t1.FErpClsID = 7 \r\n and t1.FItemID=1024\r\nORDER BY  t1.FNumber"));
    EXPECT_EQ(window->Ldg()->Rows(), 6);
    EXPECT_EQ(window->Ldg()->CellText(2, 6), "B1");
    EXPECT_TRUE(RecordCommandsEnabled());

    Q_EMIT window->Tree()->NodeClick("KD1024");  // the node already shown: no query
    EXPECT_EQ(ListStatements().size(), 1);

    QTest::keyClick(window.get(), Qt::Key_F5);
    ASSERT_EQ(ListStatements().size(), 2);
    EXPECT_TRUE(ListStatements()[1].contains("\r\n AND t1.FItemID=1024\r\n"));

    window->Tree()->SelectNode("KP11");
    Q_EMIT window->Tree()->NodeClick("KP11");
    EXPECT_EQ(window->Ldg()->Rows(), 1);
    EXPECT_FALSE(RecordCommandsEnabled());
    EXPECT_EQ(ListStatements().size(), 2);
}

TEST_F(ListWindow, FilterAndSortApplyToTheCurrentNodeAndDropEachOther) {
    Open();
    window->frm_FilterNow(" AND t1.FName LIKE '%12%'");
    EXPECT_TRUE(ListStatements().last().contains("\r\n AND t1.FName LIKE '%12%'\r\nORDER BY  t1.FNumber"));
    EXPECT_EQ(window->Ldg()->Rows(), 8);

    SelectWithKeyboard("KD1024");
    window->frm_FilterNow(" AND t1.FName LIKE '%12%'");
    EXPECT_TRUE(ListStatements().last().contains("\r\n AND t1.FName LIKE '%12%' and t1.FItemID=1024\r\n"));
    window->frm_SortNow("t1.FNumber ASC,v1.FBatchNo DESC");
    EXPECT_TRUE(ListStatements().last().contains(
        "\r\n and t1.FItemID=1024\r\nORDER BY t1.FNumber ASC,v1.FBatchNo DESC\r\n"));
}

TEST_F(ListWindow, ToolsDispatchByLowerCasedNameToTheirMenuCommands) {
    Open();
    QStringList ran;
    for (const char* menu : {"mnuEditNew", "mnuEditModify", "mnuPrintPreview"})
        window->SetCommand(menu, [&ran, menu] { ran.append(menu); });
    window->Menus()->ToolClick("NEW");
    window->Menus()->ToolClick("Preview");
    window->Menus()->ToolClick("Export");  // not a tool name: nothing
    EXPECT_EQ(ran, (QStringList{"mnuEditNew", "mnuPrintPreview"}));

    SelectWithKeyboard("KD1024");
    window->Ldg()->SetCurrentRow(3);
    QTest::keyClick(window->Ldg()->View(), Qt::Key_Return);  // row activation runs modify
    EXPECT_EQ(ran.last(), "mnuEditModify");

    window->Menus()->ToolClick("QUIT");
    EXPECT_FALSE(window->isVisible());
}

TEST_F(ListWindow, GetListDataIsAPositionedCopy) {
    Open();
    EXPECT_EQ(window->GetListData(), nullptr);  // nothing loaded yet
    SelectWithKeyboard("KD1024");
    window->Ldg()->SetCurrentRow(3);
    RecordsetPtr copy = window->GetListData();
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->AbsolutePosition(), 2);
    EXPECT_NE(copy.get(), window->Detail()->Record().get());

    window->Ldg()->SetCurrentRow(6);
    window->frm_FilterNow(" AND 1=0");  // item 1024 again: five records, row 6 still current
    window->Ldg()->SetCurrentRow(9);
    EXPECT_EQ(window->GetListData()->AbsolutePosition(), 5);

    host.SetQueryHandler([](const QString& sql) { return sql.startsWith("SELECT v1") ? Traces(0) : Answer(sql); });
    window->frm_FilterNow(QString());
    EXPECT_TRUE(window->GetListData()->Eof());
}

TEST_F(ListWindow, HiddenStatusBarIsRememberedForTheNextStart) {
    Open();
    window->Menus()->Menu("mnuShowStatus")->trigger();
    EXPECT_FALSE(window->findChild<QStatusBar*>("sbStatusBar")->isVisible());
    EXPECT_EQ(QSettings(dir.filePath("VUZOvuvir.INI"), QSettings::IniFormat).value("frmBatchTrace/mnuShowStatus").toInt(), 0);
    EXPECT_EQ(window->Layout().tree.Bottom(), window->Layout().innerHeight);

    window->Menus()->Menu("mnuShowToolBar")->trigger();
    EXPECT_EQ(window->Layout().tree.top, 60);

    auto next = std::make_unique<frmBatchTrace>();
    next->SetSettingsPath(dir.filePath("VUZOvuvir.INI"));
    next->SetVectCol(schema);
    next->Load();
    EXPECT_FALSE(next->Menus()->Menu("mnuShowStatus")->isChecked());
    EXPECT_FALSE(next->Menus()->Menu("mnuShowToolBar")->isChecked());
    EXPECT_FALSE(next->Menus()->Band()->isVisibleTo(next.get()));
}

TEST_F(ListWindow, FontsComeFromTheProfileOrTheReportSize) {
    host.connection->On("Execute", [](QVariantList&) {
        RecordsetBuilder b;
        b.AddField("FValue", FieldType::Text);
        b.AddRow({"12"});
        return QVariant::fromValue(b.Finish());
    });
    Open();
    EXPECT_DOUBLE_EQ(window->AppliedFontSize(), 12);
    EXPECT_DOUBLE_EQ(window->Ldg()->font().pointSizeF(), 12);
    EXPECT_DOUBLE_EQ(window->Tree()->font().pointSizeF(), 12);
    EXPECT_GE(window->Ldg()->RowHeight(), 285);
    const int rowHeight = window->Ldg()->RowHeight();
    window->ApplyReportFontSize();  // the same size again: nothing changes
    EXPECT_EQ(window->Ldg()->RowHeight(), rowHeight);

    auto stored = std::make_unique<frmBatchTrace>();
    host.SetUserProfile("frmBatchTrace", "GridFont", "FontName=WenQuanYi Micro Hei|FontSize=14|FontBold=1|FontItalic=0|");
    stored->SetSettingsPath(dir.filePath("VUZOvuvir.INI"));
    stored->SetVectCol(schema);
    stored->Load();
    EXPECT_DOUBLE_EQ(stored->AppliedFontSize(), 0);
    EXPECT_TRUE(stored->Ldg()->font().bold());
    EXPECT_TRUE(stored->Tree()->font().bold());
    EXPECT_DOUBLE_EQ(stored->Tree()->font().pointSizeF(), 14);
}
