#include "controls/LedgerGrid.h"
#include "controls/LedgerModel.h"
#include "controls/Twips.h"

#include <gtest/gtest.h>
#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QTableView>
#include <QTest>
#include <set>

using namespace qor::controls;

namespace {

// Owner of a grid: answers row texts and notes which rows were asked for.
struct Owner {
    explicit Owner(LedgerGrid& grid) {
        QObject::connect(&grid, &LedgerGrid::RowData, [this](int row, QString* text) {
            requested.insert(row);
            *text = row == 1 ? QStringLiteral("物料代码|物料名称|禁用|")
                             : QStringLiteral("1.%1|名称%1|%2|").arg(row - 2).arg(row % 2 ? "Y" : "");
        });
    }
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
    Owner owner(grid);
    grid.resize(600, 300);
    grid.SetCols(3);
    grid.SetRows(1000001);
    grid.show();
    QTest::qWaitForWindowExposed(&grid);
    QCoreApplication::processEvents();
    EXPECT_LT(owner.requested.size(), 100u);
    EXPECT_TRUE(owner.requested.count(1));  // header captions come from row 1
    EXPECT_EQ(grid.View()->model()->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), "禁用");

    owner.requested.clear();
    EXPECT_EQ(grid.CellText(1000001, 2), "名称999999");
    EXPECT_EQ(grid.CellText(3, 3), "Y");
    EXPECT_EQ(grid.CellText(2, 3), "");
    EXPECT_EQ(grid.CellText(2, 9), "");
    EXPECT_EQ(owner.requested, (std::set<int>{1000001, 3, 2}));
}

TEST(LedgerGrid, KeepsSizesInTwipsAndHidesColumns) {
    LedgerGrid grid;
    grid.SetCols(7);
    grid.SetColWidth(1, 1440);
    EXPECT_EQ(grid.View()->columnWidth(0), TwipsToPixels(1440, grid.logicalDpiY()));
    EXPECT_EQ(grid.ColWidth(1), 1440);
    grid.SetColWidth(2, 0);
    EXPECT_TRUE(grid.View()->isColumnHidden(1));
    grid.SetColHidden(3, true);
    QCoreApplication::processEvents();
    EXPECT_TRUE(grid.View()->isColumnHidden(2));

    grid.SetRowHeight(1440);
    EXPECT_EQ(grid.View()->verticalHeader()->defaultSectionSize(), TwipsToPixels(1440, grid.logicalDpiY()));
    grid.SetRowHeight(15);
    EXPECT_GE(grid.View()->verticalHeader()->defaultSectionSize(), grid.fontMetrics().height()) << "fits the font";
}
