#include "platform/base/HostError.h"
#include "platform/base/KeptFiles.h"
#include "platform/controls/LedgerGrid.h"
#include "platform/controls/LedgerModel.h"
#include "platform/controls/LedgerPrint.h"
#include "platform/controls/PrintPagination.h"
#include "tests/support/ModalDriver.h"

#include <gtest/gtest.h>
#include <QAbstractItemModelTester>
#include <QAbstractPrintDialog>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <set>
#include <tuple>

using namespace qor;
using namespace qor::controls;

namespace {

// A grid whose owner answers records with a hidden third column, as the list
// fills it, and notes which rows it was asked for.
class Ledger : public ::testing::Test {
protected:
    void SetUp() override {
        QObject::connect(&grid, &LedgerGrid::RowCells, [this](int row, QStringList* cells) {
            requested.insert(row);
            if (row == 1) grid.SetColHidden(3, true);
            *cells = row == 1 ? QStringList{"物料代码", "批号", "内部号", "禁用"}
                              : QStringList{QStringLiteral("1.%1").arg(row - 2), QStringLiteral("B%1").arg(row - 2),
                                            QStringLiteral("秘密%1").arg(row - 2), row % 2 ? "Y" : ""};
        });
        grid.SetCols(4);
    }
    // Records laid out and titled for printing.
    void Fill(int records) {
        for (int c = 1; c <= 4; ++c) grid.SetColWidth(c, 1500);
        grid.SetRows(records + 1);
        QFont font("WenQuanYi Micro Hei");
        font.setPointSize(9);
        grid.SetGridFont(font);
        Printer().Header(1).Font().SetSize(18);
        Printer().Header(1).SetText("客户BOM批次对应表");
        Printer().Footer(2).SetText("第 &[页] 页        |共 &[总页] 页");
    }
    LedgerPrint& Printer() { return grid.Printer(); }
    // Pages the print makes on a page of the current layout.
    int PageCount() {
        QPdfWriter probe(dir.filePath("probe.pdf"));
        probe.setResolution(1200);
        probe.setPageLayout(Printer().PageLayout());
        return Printer().PageCount(probe);
    }
    // The text of each page of a PDF, words in reading order. The PDF keeps
    // no blanks, so each run of them reads back as one.
    static QStringList PdfPages(const QString& path) {
        QProcess p;
        p.start("pdftotext", {"-raw", path, "-"});
        p.waitForFinished();
        QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(u'\f');
        if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
        return pages;
    }

    QTemporaryDir dir;
    LedgerGrid grid;
    std::set<int> requested;
};

}  // namespace

TEST(LedgerModel, PassesQtsModelTester) {
    LedgerModel model([](int row) { return QStringList{QStringLiteral("a%1").arg(row), "b"}; });
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.SetColumns(2);
    model.SetLedgerRows(50);
    model.Reload();
    model.SetLedgerRows(1);
    EXPECT_EQ(model.rowCount(), 0);
}

TEST_F(Ledger, AsksOnlyForRowsItPaintsCachesNothingAndTheCurrentRowIsTheSelectedRow) {
    grid.resize(600, 300);
    grid.SetRows(1000001);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    QCoreApplication::processEvents();
    EXPECT_LT(requested.size(), 100u);
    EXPECT_TRUE(requested.count(1));  // header captions come from row 1
    EXPECT_EQ(grid.View()->model()->headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), "禁用");

    requested.clear();
    EXPECT_EQ(grid.CellText(1000001, 2), "B999999");
    EXPECT_EQ(grid.CellText(3, 4), "Y");
    EXPECT_EQ(grid.CellText(2, 4), "");
    EXPECT_EQ(grid.CellText(2, 9), "");
    EXPECT_EQ(requested, (std::set<int>{1000001, 3, 2}));

    // The row the commands act on is the row the user sees selected, whatever
    // the reload or the focus did; with none selected, none is current.
    grid.SetRows(6);
    QTableView* view = grid.View();
    const auto selected = [view] {
        const QModelIndexList rows = view->selectionModel()->selectedRows();
        return rows.isEmpty() ? 1 : rows.first().row() + 2;
    };
    const std::tuple<const char*, std::function<void()>, int> steps[]{
        {"chosen", [this] { grid.SetCurrentRow(4); }, 4},
        {"reloaded", [this] { grid.Refresh(); }, 4},
        {"a new list", [this] { grid.SetCurrentRow(1); }, 1},
        {"the table takes the focus: Qt's first row is not chosen",
         [view] { view->selectionModel()->setCurrentIndex(view->model()->index(0, 0), QItemSelectionModel::NoUpdate); },
         1},
        {"Down", [view] { QTest::keyClick(view, Qt::Key_Down); }, 2},
        {"Down again", [view] { QTest::keyClick(view, Qt::Key_Down); }, 3},
        {"the last row chosen, then one record fewer",
         [this] {
             grid.SetCurrentRow(6);
             grid.SetRows(5);
             grid.Refresh();
         },
         5},
    };
    for (const auto& [what, step, row] : steps) {
        SCOPED_TRACE(what);
        step();
        EXPECT_EQ(grid.CurrentRow(), row);
        EXPECT_EQ(selected(), row);
    }
}

// A print to a file chosen in the print dialog, or asked for by name, never
// replaces a file the program keeps.
TEST_F(Ledger, PrintsNoFileOverAKeptFile) {
    Fill(3);
    const QString kept = dir.filePath("company.db");
    QFile file(kept);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("SQLite format 3") > 0);
    file.close();
    KeepFile(kept, "账套文件");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(kept);
    EXPECT_THROW(Printer().Render(printer), HostError);
    EXPECT_THROW(Printer().PrintToPdf(kept), HostError);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "SQLite format 3");
}

TEST(PrintPagination, RowsFillTheRoomBetweenTheBandsAndColumnsGrowToTheirTextsElseTheTableZoomsOut) {
    PageBands bands{
        .pageHeight = 1000, .headerHeight = 100, .footerHeight = 50, .gap = 25, .headerRowHeight = 20, .rowHeight = 20};
    EXPECT_EQ(RowsPerPage(bands), 39);
    bands.pageHeight = 100;  // bands fill the page: one row a page still moves on
    EXPECT_EQ(RowsPerPage(bands), 1);

    using Widths = std::vector<double>;
    EXPECT_EQ(FitColumnWidths({100, 200}, {50, 250}, 400), (Widths{100, 250}));    // room for every text
    EXPECT_EQ(FitColumnWidths({100, 200}, {300, 400}, 500), (Widths{200, 300}));   // room shared by what each lacks
    EXPECT_EQ(FitColumnWidths({100, 100}, {120, 1000}, 400), (Widths{120, 280}));  // a short text whole first
    EXPECT_EQ(FitColumnWidths({100, 300}, {900, 900}, 200), (Widths{50, 150}));    // too wide even as the grid shows it
    EXPECT_DOUBLE_EQ(TableScale({100, 200}, {150, 100}, 400, 0.75), 1);
    EXPECT_DOUBLE_EQ(TableScale({100, 200}, {250, 250}, 450, 0.75), 0.9);  // wants 250 + 250
    EXPECT_DOUBLE_EQ(TableScale({100, 200}, {1000, 0}, 600, 0.75), 0.75);  // but stays readable
}

TEST_F(Ledger, PdfHasTheVisibleColumnsAndOnEveryPageTheHeaderRowAndNumberedFootersAlsoWhenEmptyOrChosenInADialog) {
    Fill(120);
    const QString path = dir.filePath("list.pdf");
    const int pages = Printer().PrintToPdf(path);
    EXPECT_GE(pages, 2);
    EXPECT_EQ(PageCount(), pages);

    const QStringList text = PdfPages(path);
    ASSERT_EQ(text.size(), pages);
    for (int page = 1; page <= pages; ++page) {
        const QString& t = text[page - 1];
        EXPECT_TRUE(t.contains("客户BOM批次对应表")) << page;
        EXPECT_TRUE(t.contains("物料代码")) << page;  // header row on every page
        EXPECT_TRUE(t.contains(QStringLiteral("第 %1 页        |共 %2 页").arg(page).arg(pages).simplified())) << page;
        EXPECT_FALSE(t.contains("秘密"));
    }
    EXPECT_TRUE(text.first().contains("1.0"));
    EXPECT_TRUE(text.last().contains("1.119"));
    EXPECT_FALSE(text.first().contains("1.119"));

    const QString chosen = dir.filePath("chosen.pdf");
    test::WhenModalShown([&chosen](QWidget* dialog) {
        ASSERT_TRUE(qobject_cast<QAbstractPrintDialog*>(dialog));
        dialog->findChild<QLineEdit*>("filename")->setText(chosen);
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_TRUE(Printer().Print());
    EXPECT_TRUE(PdfPages(chosen).value(0).contains("B4"));
    test::WhenModalShown([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
    EXPECT_FALSE(Printer().Print());

    Fill(0);
    EXPECT_EQ(Printer().PrintToPdf(path), 1);
    EXPECT_TRUE(PdfPages(path).value(0).contains("物料代码"));
    EXPECT_THROW(Printer().PrintToPdf(dir.filePath("no/such/folder/list.pdf")), HostError);
    EXPECT_FALSE(QFile::exists(dir.filePath("no/such/folder/list.pdf")));
}

TEST_F(Ledger, GapFooterLinesAndTheChosenPageSetUpTakeRoomFromTheTable) {
    Fill(400);
    const int plain = PageCount();
    Printer().SetTableGap(3000);
    for (int i = 3; i < LedgerPrint::kLineCount; ++i) Printer().Footer(i).SetText(" ");
    const int portraitPages = PageCount();
    EXPECT_GT(portraitPages, plain);

    test::WhenModalShown([](QWidget* dialog) {
        ASSERT_TRUE(qobject_cast<QPageSetupDialog*>(dialog));
        dialog->findChild<QRadioButton*>("landscape")->click();
        static_cast<QDialog*>(dialog)->accept();
    });
    ASSERT_TRUE(Printer().PageSetup());
    EXPECT_EQ(Printer().PageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_GT(PageCount(), portraitPages) << "a wide page holds fewer rows";

    test::WhenModalShown([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
    EXPECT_FALSE(Printer().PageSetup());
    EXPECT_EQ(Printer().PageLayout().orientation(), QPageLayout::Landscape) << "held for the next print";
}
