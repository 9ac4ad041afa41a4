#include "platform/controls/LedgerPrint.h"

#include "platform/controls/ShapedCellTexts.h"

#include "platform/base/FileFailure.h"
#include "platform/base/FileFolder.h"
#include "platform/base/HostError.h"
#include "platform/base/KeptFiles.h"
#include "platform/controls/LedgerGrid.h"
#include "platform/controls/PrintPagination.h"
#include "platform/controls/ShapedCellTexts.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QScreen>
#include <cerrno>
#include <optional>

namespace qor::controls {

namespace {

constexpr int kCellPadding = 45;  // twips on either side of a cell's text
constexpr int kRowPadding = 60;   // twips a row is taller than its text at least
constexpr int kPdfResolution = 1200;
// Rows whose texts widen the columns: enough for any list printed in full,
// few enough that a huge list starts printing at once. Longer texts further
// down are shortened with "…" as the grid shortens them.
constexpr int kMeasuredRows = 10000;
constexpr double kMinTableScale = 0.75;
const QColor kHeaderRowShade(0xF0, 0xF0, 0xF0);

struct MeasuredLine {
    QString text;
    QFont font;
    double height = 0;
};

std::vector<MeasuredLine> MeasureLines(const std::array<PrintLine, LedgerPrint::kLineCount>& lines,
                                       const QFont& fallback, const QPaintDevice& device, double* total) {
    std::vector<MeasuredLine> measured;
    *total = 0;
    for (const PrintLine& line : lines) {
        if (line.Text().isEmpty()) continue;
        const QFont font = line.Font().Resolve(fallback);
        const double height = QFontMetricsF(font, &device).lineSpacing();
        measured.push_back({line.Text(), font, height});
        *total += height;
    }
    return measured;
}

QPageLayout DefaultPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                       QPageLayout::Millimeter);
}

}  // namespace

// What every page of one print shares, in device pixels.
struct PrintSheet {
    double width = 0;
    double height = 0;
    double padding = 0;
    double pen = 0;
    std::vector<MeasuredLine> headers;
    std::vector<MeasuredLine> footers;
    std::vector<int> columns;  // grid columns printed
    std::vector<double> widths;
    QStringList captions;
    double tableLeft = 0;
    double tableWidth = 0;
    QFont tableFont;
    PageBands bands;
    int rowsPerPage = 1;
    int dataRows = 0;
    int pages = 1;
};

LedgerPrint::LedgerPrint(LedgerGrid& grid) : grid_(grid), pageLayout_(DefaultPageLayout()) {}

PrintLine& LedgerPrint::Header(int line) {
    if (line < 0 || line >= kLineCount) throw HostError(QStringLiteral("页眉行号 %1 超出范围 0 到 9。").arg(line));
    return headers_[static_cast<size_t>(line)];
}

PrintLine& LedgerPrint::Footer(int line) {
    if (line < 0 || line >= kLineCount) throw HostError(QStringLiteral("页脚行号 %1 超出范围 0 到 9。").arg(line));
    return footers_[static_cast<size_t>(line)];
}

void LedgerPrint::SetTableGap(int twips) { tableGap_ = std::max(twips, 0); }

PrintSheet LedgerPrint::Measure(const QPaintDevice& device) const {
    const double dpi = device.logicalDpiY() > 0 ? device.logicalDpiY() : 72;
    auto pixels = [dpi](double twips) { return twips * dpi / 1440.0; };

    PrintSheet sheet;
    sheet.width = device.width();
    sheet.height = device.height();
    sheet.padding = pixels(kCellPadding);
    sheet.pen = dpi / 144.0;
    sheet.tableFont = grid_.font();

    // The header row's texts come first: asking for them tells the grid which
    // columns its owner hides.
    QStringList captions;
    for (int c = 1; c <= grid_.Cols(); ++c) captions.append(grid_.CellText(1, c));
    const QFontMetricsF metrics(sheet.tableFont, &device);
    auto textWidth = [&](const QString& text) {
        return metrics.horizontalAdvance(text) + 2 * sheet.padding + sheet.pen;
    };
    std::vector<double> widths;
    std::vector<double> textWidths;
    for (int c = 1; c <= grid_.Cols(); ++c) {
        if (grid_.ColHidden(c) || grid_.ColWidth(c) <= 0) continue;
        sheet.columns.push_back(c);
        sheet.captions.append(captions[c - 1]);
        widths.push_back(pixels(grid_.ColWidth(c)));
        textWidths.push_back(textWidth(captions[c - 1]));
    }
    const int lastMeasured = std::min(grid_.Rows(), 1 + kMeasuredRows);
    for (int row = 2; row <= lastMeasured; ++row)
        for (size_t i = 0; i < sheet.columns.size(); ++i)
            textWidths[i] = std::max(textWidths[i], textWidth(grid_.CellText(row, sheet.columns[i])));
    // A table too wide for the page is printed smaller rather than cut.
    const double scale = TableScale(widths, textWidths, sheet.width, kMinTableScale);
    if (scale < 1) {
        if (sheet.tableFont.pointSizeF() > 0)
            sheet.tableFont.setPointSizeF(sheet.tableFont.pointSizeF() * scale);
        else
            sheet.tableFont.setPixelSize(std::max(1, static_cast<int>(sheet.tableFont.pixelSize() * scale)));
        for (double& w : widths) w *= scale;
        for (double& w : textWidths) w *= scale;
        sheet.padding *= scale;
    }
    sheet.widths = FitColumnWidths(widths, textWidths, sheet.width);
    sheet.tableWidth = 0;
    for (double w : sheet.widths) sheet.tableWidth += w;
    sheet.tableLeft = (sheet.width - sheet.tableWidth) / 2;

    const double textHeight = QFontMetricsF(sheet.tableFont, &device).height();
    const double rowHeight = std::max(pixels(grid_.RowHeight()) * scale, textHeight + pixels(kRowPadding) * scale);
    sheet.headers = MeasureLines(headers_, grid_.font(), device, &sheet.bands.headerHeight);
    sheet.footers = MeasureLines(footers_, grid_.font(), device, &sheet.bands.footerHeight);
    sheet.bands.pageHeight = sheet.height;
    sheet.bands.gap = pixels(tableGap_);
    sheet.bands.headerRowHeight = rowHeight;
    sheet.bands.rowHeight = rowHeight;
    sheet.rowsPerPage = RowsPerPage(sheet.bands);
    sheet.dataRows = std::max(grid_.Rows() - 1, 0);
    sheet.pages = controls::PageCount(sheet.dataRows, sheet.rowsPerPage);
    return sheet;
}

int LedgerPrint::PageCount(const QPaintDevice& device) const { return Measure(device).pages; }

void LedgerPrint::DrawPage(QPainter& painter, const PrintSheet& sheet, int page, ShapedCellTexts& cellTexts) const {
    auto drawLines = [&](const std::vector<MeasuredLine>& lines, double y) {
        for (const MeasuredLine& line : lines) {
            painter.setFont(line.font);
            painter.drawText(QRectF(0, y, sheet.width, line.height), Qt::AlignHCenter | Qt::AlignVCenter,
                             SubstitutePageFields(line.text, page, sheet.pages));
            y += line.height;
        }
    };
    auto drawRow = [&](const QStringList& cells, double y, double height, bool headerRow) {
        double x = sheet.tableLeft;
        for (size_t i = 0; i < sheet.widths.size(); ++i) {
            const QRectF cell(x, y, sheet.widths[i], height);
            if (headerRow) painter.fillRect(cell, kHeaderRowShade);
            cellTexts.Add(cell.adjusted(sheet.padding, 0, -sheet.padding, 0), cells.value(static_cast<qsizetype>(i)));
            x += sheet.widths[i];
        }
    };

    painter.setPen(QPen(Qt::black, sheet.pen));
    drawLines(sheet.headers, 0);
    const double top = sheet.bands.headerHeight + sheet.bands.gap;
    double y = top;
    painter.setFont(sheet.tableFont);
    drawRow(sheet.captions, y, sheet.bands.headerRowHeight, true);
    y += sheet.bands.headerRowHeight;
    std::vector<QLineF> rules{QLineF(sheet.tableLeft, top, sheet.tableLeft + sheet.tableWidth, top),
                              QLineF(sheet.tableLeft, y, sheet.tableLeft + sheet.tableWidth, y)};
    const LedgerRowSpan span = PageRows(page, sheet.rowsPerPage, sheet.dataRows);
    for (int row = span.first; row <= span.last; ++row) {
        QStringList cells;
        for (int c : sheet.columns) cells.append(grid_.CellText(row, c));
        drawRow(cells, y, sheet.bands.rowHeight, false);
        y += sheet.bands.rowHeight;
        rules.emplace_back(sheet.tableLeft, y, sheet.tableLeft + sheet.tableWidth, y);
    }
    // The cells' borders as whole rules, one per row and one per column edge,
    // rather than a rectangle per cell: a page of the bench company's list
    // has over three hundred cells.
    double x = sheet.tableLeft;
    rules.emplace_back(x, top, x, y);
    for (const double width : sheet.widths) {
        x += width;
        rules.emplace_back(x, top, x, y);
    }
    painter.drawLines(rules.data(), static_cast<int>(rules.size()));
    cellTexts.Draw(painter);
    drawLines(sheet.footers, sheet.height - sheet.bands.footerHeight);
}

int LedgerPrint::Render(QPagedPaintDevice& device) {
    const PrintSheet sheet = Measure(device);
    int first = 1;
    int last = sheet.pages;
    if (auto* printer = dynamic_cast<QPrinter*>(&device)) {
        // Printed to a file chosen in the print dialog: never over the company.
        if (printer->outputFormat() == QPrinter::PdfFormat && !printer->outputFileName().isEmpty())
            if (const std::optional<QString> refusal = OutputRefusal(printer->outputFileName()))
                throw HostError(*refusal);
        if (printer->fromPage() > 0) {
            first = std::min(printer->fromPage(), sheet.pages);
            if (printer->toPage() > 0) last = std::clamp(printer->toPage(), first, sheet.pages);
        }
    }
    QPainter painter;
    if (!painter.begin(&device)) throw HostError(QStringLiteral("打印机无法开始打印。"));
    ShapedCellTexts cellTexts(sheet.tableFont, &device);
    for (int page = first; page <= last; ++page) {
        if (page > first) device.newPage();
        DrawPage(painter, sheet, page, cellTexts);
        if (progress_) progress_(page, sheet.pages);
    }
    painter.end();
    return sheet.pages;
}

QString LedgerPrint::DocumentTitle() const {
    for (const PrintLine& line : headers_)
        if (!line.Text().trimmed().isEmpty()) return line.Text().trimmed();
    return QString();
}

void LedgerPrint::PreparePrinter(QPrinter& printer) const {
    printer.setPageLayout(pageLayout_);
    printer.setDocName(DocumentTitle());
    printer.setCreator(QStringLiteral("qor-erp"));
}

bool LedgerPrint::Print() {
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(printer);
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        const QString name = DocumentTitle().isEmpty() ? QStringLiteral("print") : DocumentTitle();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QDir(FileDialogFolder()).filePath(name + ".pdf"));
    }
    QPrintDialog dialog(&printer, grid_.window());
    dialog.setWindowTitle(QStringLiteral("打印"));
    dialog.setMinMax(1, PageCount(printer));
    if (dialog.exec() != QDialog::Accepted) return false;
    if (printer.outputFormat() == QPrinter::PdfFormat) RememberFileFolder(printer.outputFileName());
    Render(printer);
    return true;
}

void LedgerPrint::Preview() {
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(printer);
    QPrintPreviewDialog dialog(&printer, grid_.window());
    dialog.setWindowTitle(QStringLiteral("打印预览"));
    if (const QScreen* screen = grid_.screen()) dialog.resize(screen->availableSize() * 0.85);
    std::optional<QString> failure;
    // Errors must not unwind through Qt's signal delivery; they are reported
    // once the preview has closed.
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [this, &failure](QPrinter* target) {
        try {
            Render(*target);
        } catch (const HostError& e) {
            failure = e.Description();
        }
    });
    dialog.exec();
    if (failure) throw HostError(*failure);
}

bool LedgerPrint::PageSetup() {
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(printer);
    QPageSetupDialog dialog(&printer, grid_.window());
    dialog.setWindowTitle(QStringLiteral("打印设置"));
    if (dialog.exec() != QDialog::Accepted) return false;
    pageLayout_ = printer.pageLayout();
    return true;
}

int LedgerPrint::PrintToPdf(const QString& path) {
    // The finished file takes the place of what path names, its link
    // followed: never a device, a pipe or a file the program keeps.
    if (const std::optional<QString> refusal = OutputRefusal(path)) throw HostError(*refusal);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) throw HostError(FileFailure(path, errno ? errno : EIO));
    int pages = 0;
    {
        QPdfWriter writer(&file);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(pageLayout_);
        writer.setTitle(DocumentTitle());
        writer.setCreator(QStringLiteral("qor-erp"));
        pages = Render(writer);
    }
    // A write that failed earlier leaves errno to chance: ENOSPC when the
    // file device says the disk was full, else the commit's own.
    errno = 0;
    if (!file.commit())
        throw HostError(FileFailure(path, file.error() == QFileDevice::ResourceError ? ENOSPC : (errno ? errno : EIO)));
    return pages;
}

}  // namespace qor::controls
