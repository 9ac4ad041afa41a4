#include "platform/services/XlsxSheetWriter.h"

#include "platform/base/FileFailure.h"
#include "platform/base/HostError.h"
#include "platform/services/ZipArchive.h"

#include <xlsxwriter.h>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>

namespace qor::services {

namespace {

constexpr int kTitleRows = 2;  // the title row and the caption row
constexpr double kMinWidth = 8;
constexpr double kMaxWidth = 60;
constexpr int kMaxSheetName = 31;
// Enough of the sheet's end to hold its last row whole.
constexpr qsizetype kVerifiedTail = 1 << 16;

bool IsWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

// Sheet names may not hold []:*?/\ nor exceed 31 characters; the sheets
// after the first are numbered.
QByteArray SheetName(const QString& title, int sheet) {
    QString name;
    for (QChar c : title)
        if (!QStringLiteral("[]:*?/\\").contains(c)) name.append(c);
    const QString number = sheet > 1 ? QStringLiteral(" (%1)").arg(sheet) : QString();
    return (name.left(kMaxSheetName - number.size()).trimmed() + number).toUtf8();
}

}  // namespace

XlsxSheetWriter::XlsxSheetWriter(QString path, unsigned rowsPerSheet)
    : path_(std::move(path)), rowsPerSheet_(rowsPerSheet) {
    encodedPath_ = QFile::encodeName(path_);
    // The rows wait in temporary files beside the workbook, so a full disk
    // shows where the workbook goes.
    temporaryFolder_ = QFile::encodeName(QFileInfo(path_).absolutePath());
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = temporaryFolder_.data();
    workbook_ = workbook_new_opt(encodedPath_.constData(), &options);
    if (!workbook_) throw HostError(FileFailure(path_, errno ? errno : ENOMEM));
}

XlsxSheetWriter::~XlsxSheetWriter() {
    if (workbook_) lxw_workbook_free(workbook_);
}

double XlsxSheetWriter::ColumnWidth(const QString& text) {
    double width = 2;  // a character's room on either side
    for (char32_t c : text.toUcs4()) width += IsWide(c) ? 2 : 1;
    return std::clamp(width, kMinWidth, kMaxWidth);
}

void XlsxSheetWriter::Begin(const QString& title, const QStringList& captions) {
    title_ = title;
    captions_ = captions;
    titleFormat_ = workbook_add_format(workbook_);
    format_set_bold(titleFormat_);
    format_set_font_size(titleFormat_, 14);
    captionFormat_ = workbook_add_format(workbook_);
    format_set_bold(captionFormat_);
    format_set_bottom(captionFormat_, LXW_BORDER_THIN);
    format_set_bg_color(captionFormat_, 0xF0F0F0);
    widths_.assign(static_cast<size_t>(captions.size()), kMinWidth);
    StartSheet();
}

// A sheet with the title and the captions above its rows.
void XlsxSheetWriter::StartSheet() {
    const QByteArray name = SheetName(title_, static_cast<int>(sheets_.size()) + 1);
    sheet_ = workbook_add_worksheet(workbook_, name.isEmpty() ? nullptr : name.constData());
    if (!sheet_) throw HostError(QStringLiteral("无法在工作簿中建立工作表。"));
    sheets_.push_back(sheet_);
    const QByteArray titleText = title_.toUtf8();
    const auto lastColumn = static_cast<lxw_col_t>(std::max<qsizetype>(captions_.size(), 1) - 1);
    if (lastColumn > 0)
        worksheet_merge_range(sheet_, 0, 0, 0, lastColumn, titleText.constData(), titleFormat_);
    else
        worksheet_write_string(sheet_, 0, 0, titleText.constData(), titleFormat_);
    row_ = 1;
    WriteRow(captions_, captionFormat_);
    worksheet_freeze_panes(sheet_, kTitleRows, 0);
}

// A sheet holds at most rowsPerSheet_ rows (Excel's limit): the rows go on
// on a new sheet.
void XlsxSheetWriter::AddRow(const QStringList& cells) {
    if (row_ >= rowsPerSheet_) StartSheet();
    WriteRow(cells, nullptr);
}

void XlsxSheetWriter::WriteRow(const QStringList& cells, lxw_format* format) {
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const QByteArray text = cells[i].toUtf8();
        const lxw_error result =
            worksheet_write_string(sheet_, row_, static_cast<lxw_col_t>(i), text.constData(), format);
        if (result != LXW_NO_ERROR)
            throw HostError(
                QStringLiteral("无法写入第 %1 行：%2").arg(row_ + 1).arg(QString::fromUtf8(lxw_strerror(result))));
        if (static_cast<size_t>(i) < widths_.size())
            widths_[static_cast<size_t>(i)] = std::max(widths_[static_cast<size_t>(i)], ColumnWidth(cells[i]));
    }
    ++row_;
}

void XlsxSheetWriter::Finish() {
    for (lxw_worksheet* sheet : sheets_)
        for (size_t i = 0; i < widths_.size(); ++i)
            worksheet_set_column(sheet, static_cast<lxw_col_t>(i), static_cast<lxw_col_t>(i), widths_[i], nullptr);
    errno = 0;
    const lxw_error result = workbook_close(workbook_);
    const int error = errno;
    workbook_ = nullptr;
    if (result != LXW_NO_ERROR) {
        if (error != 0) throw HostError(FileFailure(path_, error));
        throw HostError(QStringLiteral("无法写入文件 %1：%2").arg(path_, QString::fromUtf8(lxw_strerror(result))));
    }
    // The library does not report failed writes of its temporary files: a
    // full disk leaves a workbook that closes without error but lacks rows.
    if (!SheetIsComplete()) throw HostError(QStringLiteral("文件 %1 没有写完整，磁盘空间可能不足。").arg(path_));
}

bool XlsxSheetWriter::SheetIsComplete() const {
    const QByteArray tail =
        ZipArchive(path_).Tail(QStringLiteral("xl/worksheets/sheet%1.xml").arg(sheets_.size()), kVerifiedTail);
    return tail.trimmed().endsWith("</worksheet>") && tail.contains(QStringLiteral("<row r=\"%1\"").arg(row_).toUtf8());
}

}  // namespace qor::services
