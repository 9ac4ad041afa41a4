#include "base/HostError.h"
#include "controls/LedgerGrid.h"
#include "controls/LedgerPrint.h"
#include "controls/PrintPagination.h"
#include "support/ModalDriver.h"

#include <gtest/gtest.h>
#include <QAbstractPrintDialog>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>

using namespace qor;
using namespace qor::controls;

TEST(PrintPagination, RowsPerPageCountsTheRoomBetweenTheBands) {
    PageBands bands;
    bands.pageHeight = 1000;
    bands.headerHeight = 100;
    bands.footerHeight = 50;
    bands.gap = 25;
    bands.headerRowHeight = 20;
    bands.rowHeight = 20;
    EXPECT_EQ(RowsPerPage(bands), 39);  // 1000 - 100 - 50 - 50 - 20 = 780 = 39 rows exactly
    bands.pageHeight = 1019;
    EXPECT_EQ(RowsPerPage(bands), 39);
    bands.pageHeight = 100;  // bands fill the page: one row a page still moves on
    EXPECT_EQ(RowsPerPage(bands), 1);
}

TEST(PrintPagination, PagesAndTheirRows) {
    EXPECT_EQ(PageCount(0, 40), 1);  // an empty list prints its header row
    EXPECT_EQ(PageCount(40, 40), 1);
    EXPECT_EQ(PageCount(41, 40), 2);
    EXPECT_EQ(PageCount(120, 40), 3);

    LedgerRowSpan first = PageRows(1, 40, 41);
    EXPECT_EQ(first.first, 2);
    EXPECT_EQ(first.last, 41);
    LedgerRowSpan second = PageRows(2, 40, 41);
    EXPECT_EQ(second.first, 42);
    EXPECT_EQ(second.last, 42);
    LedgerRowSpan empty = PageRows(1, 40, 0);
    EXPECT_LT(empty.last, empty.first);
}

TEST(PrintPagination, PageFieldsAreReplacedWhereverTheyStand) {
    EXPECT_EQ(SubstitutePageFields(QStringLiteral("第 &[页] 页        |共 &[总页] 页"), 2, 15),
              QStringLiteral("第 2 页        |共 15 页"));
    EXPECT_EQ(SubstitutePageFields(QStringLiteral("&[页]/&[总页] &[页]"), 3, 4), QStringLiteral("3/4 3"));
    EXPECT_EQ(SubstitutePageFields(QStringLiteral("打印日期:2024-3-7"), 1, 1), QStringLiteral("打印日期:2024-3-7"));
}

TEST(PrintPagination, ColumnsGrowToTheirTextsWhileThePageHasRoom) {
    using Widths = std::vector<double>;
    EXPECT_EQ(FitColumnWidths({100, 200}, {50, 250}, 400), (Widths{100, 250}));   // room for every text
    EXPECT_EQ(FitColumnWidths({100, 200}, {300, 400}, 500), (Widths{200, 300}));  // room shared by what each lacks
    EXPECT_EQ(FitColumnWidths({100, 200}, {0, 0}, 400), (Widths{100, 200}));
    EXPECT_EQ(FitColumnWidths({100, 300}, {900, 900}, 200), (Widths{50, 150}));  // too wide even as the grid shows it
}

TEST(PrintPagination, ATableTooWideIsZoomedOutButNotBeyondReading) {
    EXPECT_DOUBLE_EQ(TableScale({100, 200}, {150, 100}, 400, 0.75), 1);
    EXPECT_DOUBLE_EQ(TableScale({100, 200}, {250, 250}, 450, 0.75), 0.9);  // wants 250 + 250
    EXPECT_DOUBLE_EQ(TableScale({100, 200}, {1000, 0}, 600, 0.75), 0.75);
}

namespace {

// A grid of n records with a hidden third column, as an owner fills it.
class PrintedGrid : public ::testing::Test {
protected:
    void Fill(int records) {
        QObject::connect(&grid, &LedgerGrid::RowData, [this](int row, QString* text) {
            if (row == 1) {
                grid.SetColHidden(3, true);
                *text = QStringLiteral("物料代码|批号|内部号|禁用|");
            } else {
                *text = QStringLiteral("1.%1|B%1|秘密%1|%2|").arg(row - 2).arg(row % 2 ? "Y" : "");
            }
        });
        grid.SetCols(4);
        for (int c = 1; c <= 4; ++c) grid.SetColWidth(c, 1500);
        grid.SetRows(records + 1);
        QFont font(QStringLiteral("WenQuanYi Micro Hei"));
        font.setPointSize(9);
        grid.SetGridFont(font);
        LedgerPrint& printer = grid.Printer();
        printer.Header(1).Font().SetName(QStringLiteral("WenQuanYi Micro Hei"));
        printer.Header(1).Font().SetSize(18);
        printer.Header(1).Font().SetBold(true);
        printer.Header(1).SetText(QStringLiteral("客户BOM批次对应表"));
        printer.Footer(2).SetText(QStringLiteral("第 &[页] 页        |共 &[总页] 页"));
    }

    // The text of each page of a PDF, words in reading order. The PDF keeps
    // no blanks, so each run of them reads back as one.
    static QStringList PdfPages(const QString& path) {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), path, QStringLiteral("-")});
        p.waitForFinished();
        QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(u'\f');
        if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
        return pages;
    }

    QTemporaryDir dir;
    LedgerGrid grid;
};

}  // namespace

TEST_F(PrintedGrid, PdfHasTheVisibleColumnsTheRepeatedHeaderRowAndNumberedFooters) {
    Fill(120);
    const QString path = dir.filePath("list.pdf");
    const int pages = grid.Printer().PrintToPdf(path);
    EXPECT_GE(pages, 2);
    QPdfWriter probe(dir.filePath("probe.pdf"));
    probe.setResolution(1200);
    probe.setPageLayout(grid.Printer().PageLayout());
    EXPECT_EQ(grid.Printer().PageCount(probe), pages);

    const QStringList text = PdfPages(path);
    ASSERT_EQ(text.size(), pages);
    for (int page = 1; page <= pages; ++page) {
        const QString& t = text[page - 1];
        EXPECT_TRUE(t.contains(QStringLiteral("客户BOM批次对应表"))) << page;
        EXPECT_TRUE(t.contains(QStringLiteral("物料代码"))) << page;  // header row on every page
        EXPECT_TRUE(t.contains(QStringLiteral("第 %1 页        |共 %2 页").arg(page).arg(pages).simplified()))
            << t.toStdString();
        EXPECT_FALSE(t.contains(QStringLiteral("内部号")));
        EXPECT_FALSE(t.contains(QStringLiteral("秘密")));
    }
    EXPECT_TRUE(text.first().contains(QStringLiteral("1.0")));
    EXPECT_TRUE(text.last().contains(QStringLiteral("1.119")));
    EXPECT_FALSE(text.first().contains(QStringLiteral("1.119")));
}

TEST_F(PrintedGrid, GapAndFooterLinesTakeRoomFromTheTable) {
    Fill(400);
    QPdfWriter probe(dir.filePath("probe.pdf"));
    probe.setResolution(1200);
    probe.setPageLayout(grid.Printer().PageLayout());
    const int plain = grid.Printer().PageCount(probe);
    grid.Printer().SetTableGap(3000);
    for (int i = 3; i < LedgerPrint::kLineCount; ++i) grid.Printer().Footer(i).SetText(QStringLiteral(" "));
    EXPECT_GT(grid.Printer().PageCount(probe), plain);
    EXPECT_THROW(grid.Printer().Header(10), HostError);
    EXPECT_THROW(grid.Printer().Footer(-1), HostError);
}

TEST_F(PrintedGrid, AnEmptyListPrintsOnePageWithItsHeaderRow) {
    Fill(0);
    const QString path = dir.filePath("empty.pdf");
    EXPECT_EQ(grid.Printer().PrintToPdf(path), 1);
    const QStringList text = PdfPages(path);
    ASSERT_EQ(text.size(), 1);
    EXPECT_TRUE(text[0].contains(QStringLiteral("批号")));
    EXPECT_TRUE(text[0].contains(QStringLiteral("共 1 页")));
}

TEST_F(PrintedGrid, AFailedPdfLeavesNoFile) {
    Fill(3);
    EXPECT_THROW(grid.Printer().PrintToPdf(dir.filePath("no/such/folder/list.pdf")), HostError);
    EXPECT_FALSE(QFile::exists(dir.filePath("no/such/folder/list.pdf")));
}

TEST_F(PrintedGrid, PageSetUpChoiceHoldsForTheNextPrint) {
    Fill(10);
    test::WhenModalShown([](QWidget* dialog) {
        ASSERT_TRUE(qobject_cast<QPageSetupDialog*>(dialog));
        auto* landscape = dialog->findChild<QRadioButton*>(QStringLiteral("landscape"));
        ASSERT_TRUE(landscape);
        landscape->click();
        static_cast<QDialog*>(dialog)->accept();
    });
    ASSERT_TRUE(grid.Printer().PageSetup());
    EXPECT_EQ(grid.Printer().PageLayout().orientation(), QPageLayout::Landscape);

    const QString path = dir.filePath("wide.pdf");
    grid.Printer().PrintToPdf(path);
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path});
    info.waitForFinished();
    const QString out = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(out.contains(QStringLiteral("842 x 595"))) << out.toStdString();  // A4 on its side, in points

    test::WhenModalShown([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
    EXPECT_FALSE(grid.Printer().PageSetup());
    EXPECT_EQ(grid.Printer().PageLayout().orientation(), QPageLayout::Landscape);
}

TEST_F(PrintedGrid, PreviewShowsEveryPage) {
    Fill(120);
    int shown = 0;
    test::WhenModalShown([&shown](QWidget* dialog) {
        ASSERT_TRUE(qobject_cast<QPrintPreviewDialog*>(dialog));
        auto* pages = dialog->findChild<QPrintPreviewWidget*>();
        ASSERT_TRUE(pages);
        pages->updatePreview();
        shown = pages->pageCount();
        static_cast<QDialog*>(dialog)->reject();
    });
    grid.Printer().Preview();
    QPdfWriter probe(dir.filePath("probe.pdf"));
    probe.setResolution(1200);
    probe.setPageLayout(grid.Printer().PageLayout());
    EXPECT_EQ(shown, grid.Printer().PageCount(probe));
}

TEST_F(PrintedGrid, PrintDialogPrintsToTheChosenPdf) {
    Fill(5);
    const QString path = dir.filePath("chosen.pdf");
    test::WhenModalShown([&path](QWidget* dialog) {
        ASSERT_TRUE(qobject_cast<QAbstractPrintDialog*>(dialog));
        auto* file = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
        ASSERT_TRUE(file);
        file->setText(path);
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_TRUE(grid.Printer().Print());
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_TRUE(PdfPages(path).value(0).contains(QStringLiteral("B4")));

    test::WhenModalShown([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
    EXPECT_FALSE(grid.Printer().Print());
}
