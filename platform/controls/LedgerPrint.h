#pragma once

#include "platform/controls/PrintLine.h"

#include <QPageLayout>
#include <array>
#include <functional>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;
class QPrinter;

namespace qor::controls {

class LedgerGrid;
class ShapedCellTexts;
struct PrintSheet;

// The print object of a ledger grid. It prints what the grid shows: the
// visible columns at their widths (scaled down together when the page is too
// narrow), the header row repeated on every page, ten header lines above the
// table and ten footer lines at the foot of each page. The page layout chosen
// in PageSetup holds for every following print, preview and PDF.
class LedgerPrint {
public:
    static constexpr int kLineCount = 10;

    explicit LedgerPrint(LedgerGrid& grid);

    // Lines 0 to kLineCount - 1; another number throws HostError.
    PrintLine& Header(int line);
    PrintLine& Footer(int line);

    // Space in twips between the header lines and the table, and between the
    // table and the footer lines.
    void SetTableGap(int twips);

    const QPageLayout& PageLayout() const { return pageLayout_; }

    // Asks for a printer in the printer dialog, which always offers printing
    // to a PDF file, and prints on it. False when the user cancelled. Throws
    // HostError when the printer refuses the job.
    bool Print();
    // The print preview, with zoom and page navigation.
    void Preview();
    // The page set-up dialog; false when the user cancelled.
    bool PageSetup();
    // Prints to a PDF file without asking. The file appears only once it is
    // complete. Answers the number of pages; throws HostError.
    int PrintToPdf(const QString& path);

    // Told each page drawn (its number, and the pages the list takes) by the
    // prints that follow; an empty function tells nothing.
    void SetProgress(std::function<void(int page, int pages)> progress) { progress_ = std::move(progress); }

    // Draws the pages on device (of a printer: the page range it was given)
    // and answers the number of pages the list takes. Throws HostError when
    // the device cannot be painted on.
    int Render(QPagedPaintDevice& device);
    // The number of pages the list takes on device.
    int PageCount(const QPaintDevice& device) const;

private:
    PrintSheet Measure(const QPaintDevice& device) const;
    void DrawPage(QPainter& painter, const PrintSheet& sheet, int page, ShapedCellTexts& cellTexts) const;
    void PreparePrinter(QPrinter& printer) const;
    QString DocumentTitle() const;

    LedgerGrid& grid_;
    std::array<PrintLine, kLineCount> headers_;
    std::array<PrintLine, kLineCount> footers_;
    int tableGap_ = 200;
    QPageLayout pageLayout_;
    std::function<void(int, int)> progress_;
};

}  // namespace qor::controls
