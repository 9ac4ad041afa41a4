#include "platform/controls/LedgerGrid.h"
#include "tests/ui/ListScene.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTableView>
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

// Banned rows are drawn muted; a header click sorts as the sort dialog would,
// a second click the other way.
TEST_F(DailyUse, BannedRowsAreMutedAndAHeaderClickSortsTheList) {
    Open();
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
}
