#include "controls/LedgerGrid.h"
#include "controls/LedgerModel.h"
#include "controls/Twips.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>
#include <set>

using namespace qor::controls;

namespace {

// Owner of a grid with n records: answers row texts and counts the requests.
struct Owner {
    explicit Owner(LedgerGrid& grid, int records) : records(records) {
        QObject::connect(&grid, &LedgerGrid::RowData, [this](int row, QString* text) {
            requested.insert(row);
            *text = row == 1 ? QStringLiteral("物料代码|物料名称|禁用|")
                             : QStringLiteral("1.%1|名称%1|%2|").arg(row - 2).arg(row % 2 ? "Y" : "");
        });
    }
    int records;
    std::set<int> requested;
};

}  // namespace

TEST(LedgerModel, PassesQtsModelTester) {
    LedgerModel model([](int row) { return QStringLiteral("a%1|b|").arg(row); });
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.SetColumns(2);
    model.SetLedgerRows(50);
    model.Reload();
    model.SetLedgerRows(1);
    EXPECT_EQ(model.rowCount(), 0);
}

TEST(LedgerGrid, AsksOnlyForRowsItPaintsAndCachesNothing) {
    LedgerGrid grid;
    Owner owner(grid, 1000000);
    grid.resize(600, 300);
    grid.SetCols(3);
    grid.SetRows(1000001);
    grid.show();
    QTest::qWaitForWindowExposed(&grid);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.Rows(), 1000001);
    EXPECT_LT(owner.requested.size(), 100u);
    EXPECT_TRUE(owner.requested.count(2));
    EXPECT_TRUE(owner.requested.count(1));  // header captions come from row 1
    EXPECT_EQ(grid.View()->model()->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), "禁用");

    owner.requested.clear();
    EXPECT_EQ(grid.CellText(1000001, 2), "名称999999");
    EXPECT_EQ(grid.CellText(3, 3), "Y");
    EXPECT_EQ(grid.CellText(2, 3), "");
    EXPECT_EQ(grid.CellText(2, 9), "");
    EXPECT_EQ(owner.requested, (std::set<int>{1000001, 3, 2}));
}

TEST(LedgerGrid, KeepsWidthsInTwipsAndHidesColumns) {
    LedgerGrid grid;
    grid.SetCols(7);
    grid.SetColWidth(1, 1440);
    const int inch = TwipsToPixels(1440, grid.logicalDpiY());
    EXPECT_EQ(grid.View()->columnWidth(0), inch);
    EXPECT_EQ(grid.ColWidth(1), 1440);

    grid.SetColWidth(2, 0);
    EXPECT_TRUE(grid.View()->isColumnHidden(1));
    grid.SetColHidden(3, true);
    EXPECT_TRUE(grid.ColHidden(3));
    QCoreApplication::processEvents();
    EXPECT_TRUE(grid.View()->isColumnHidden(2));
    grid.SetColHidden(3, false);
    QCoreApplication::processEvents();
    EXPECT_FALSE(grid.View()->isColumnHidden(2));
    EXPECT_EQ(grid.ColWidth(9), 0);
}

TEST(LedgerGrid, CurrentRowAndActivation) {
    LedgerGrid grid;
    Owner owner(grid, 5);
    grid.SetCols(3);
    grid.SetRows(6);
    EXPECT_EQ(grid.CurrentRow(), 1);
    grid.SetCurrentRow(4);
    EXPECT_EQ(grid.CurrentRow(), 4);
    grid.Refresh();
    EXPECT_EQ(grid.CurrentRow(), 4);

    QSignalSpy activated(&grid, &LedgerGrid::RowActivated);
    grid.show();
    QTest::keyClick(grid.View(), Qt::Key_Return);
    ASSERT_EQ(activated.size(), 1);
    EXPECT_EQ(activated[0][0].toInt(), 4);

    grid.SetRows(1);
    EXPECT_EQ(grid.CurrentRow(), 4);  // kept until another row is selected
    QTest::keyClick(grid.View(), Qt::Key_Return);
    EXPECT_EQ(activated.size(), 1);  // nothing to activate on an empty grid
    grid.SetRows(9);
    EXPECT_EQ(grid.View()->currentIndex().row(), 2);
    QTest::keyClick(grid.View(), Qt::Key_Down);
    EXPECT_EQ(grid.CurrentRow(), 5);
}

TEST(LedgerGrid, RowHeightFollowsTwipsButFitsTheFont) {
    LedgerGrid grid;
    grid.SetRowHeight(1440);
    EXPECT_EQ(grid.View()->verticalHeader()->defaultSectionSize(), TwipsToPixels(1440, grid.logicalDpiY()));
    grid.SetRowHeight(15);
    EXPECT_GE(grid.View()->verticalHeader()->defaultSectionSize(), grid.fontMetrics().height());
    EXPECT_EQ(grid.RowHeight(), 15);
}
