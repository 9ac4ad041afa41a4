#include "platform/controls/LedgerGrid.h"
#include "src/ui/find/frmFind.h"
#include "tests/ui/ListScene.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

using namespace qor;

namespace {

class DailyUse : public ::testing::Test {
protected:
    frmBatchTrace& Open() {
        list.Open();
        list.ShowItem();
        return window();
    }
    frmBatchTrace& window() const { return *list.window; }

    test::FakeHost host;
    test::ListScene list{host};
};

}  // namespace

TEST_F(DailyUse, ListWindowKeysRunTheirMenuItemsAndEscKeepsTheWindowOpen) {
    Open();
    QString ran;
    const std::pair<QKeySequence, const char*> keys[] = {
        {QKeySequence::Delete, "mnuEditDelete"}, {QKeySequence("Ctrl+P"), "mnuPrint"},
        {QKeySequence("Ctrl+E"), "mnuExport"},   {QKeySequence("Ctrl+Shift+F"), "mnuFilter"},
        {QKeySequence("Ctrl+N"), "mnuEditNew"},  {QKeySequence(Qt::Key_F5), "mnuRefresh"},
    };
    for (const auto& [key, menu] : keys) window().SetCommand(menu, [&ran, menu = menu] { ran = menu; });
    for (const auto& [key, menu] : keys) {
        ran.clear();
        QTest::keySequence(window().Ldg()->View(), key);
        EXPECT_EQ(ran, menu) << key.toString().toStdString();
    }
    QTest::keyClick(window().Ldg()->View(), Qt::Key_Escape);
    EXPECT_TRUE(window().isVisible());
}

TEST_F(DailyUse, AHeaderClickSortsAsTheSortDialogWouldThenTheOtherWay) {
    Open();
    QHeaderView* header = window().Ldg()->View()->horizontalHeader();
    for (const char* order : {"v1.FBatchNo ASC", "v1.FBatchNo DESC"}) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(5) + 5, header->height() / 2));
        EXPECT_TRUE(list.ListStatements().last().contains(QStringLiteral("ORDER BY ") + order + "\r\n"))
            << list.ListStatements().last().toStdString();
        EXPECT_TRUE(list.ListStatements().last().contains(" and t1.FItemID=1024"));
    }
    EXPECT_EQ(header->sortIndicatorSection(), 5);
}

TEST_F(DailyUse, BannedRowsAreDrawnInTheDisabledColour) {
    Open();
    const QAbstractItemModel* model = window().Ldg()->View()->model();
    const QColor muted = window().Ldg()->palette().color(QPalette::Disabled, QPalette::Text);
    EXPECT_EQ(model->index(1, 0).data(Qt::ForegroundRole).value<QColor>(), muted);  // record 2 is banned
    EXPECT_FALSE(model->index(0, 0).data(Qt::ForegroundRole).isValid());
}

TEST_F(DailyUse, TheListWindowReopensWhereTheUserLeftIt) {
    Open();
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

    Open();
    EXPECT_EQ(window().geometry(), geometry);
    EXPECT_EQ(window().Tree()->width(), tree);
    EXPECT_EQ(window().Ldg()->View()->columnWidth(5), 140);
    // A column nobody sized shows its longest text.
    const QTableView* view = window().Ldg()->View();
    EXPECT_GE(view->columnWidth(0), view->fontMetrics().horizontalAdvance("01.01.001"));
}

TEST_F(DailyUse, TheFilterDialogConfirmsOnEnterAndCancelsOnEsc) {
    frmFind find;
    find.SetActionMode(frmFind::kFilterMode);
    find.Load();
    find.show();
    QSignalSpy finished(&find, &QDialog::finished);
    QTest::keyClick(find.Grid(), Qt::Key_Return);
    EXPECT_EQ(host.messages.Texts(), QStringList{"请输入要搜索的字符!"}) << "Enter pressed 确定";
    QTest::keyClick(find.Grid(), Qt::Key_Escape);
    ASSERT_EQ(finished.size(), 1);
    EXPECT_EQ(finished[0][0].toInt(), QDialog::Rejected);
}
