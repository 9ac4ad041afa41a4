#pragma once

#include "platform/services/SheetWriter.h"

#include <QByteArray>
#include <vector>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace qor::services {

// An Excel workbook with a sheet named after the title: the title in the
// first row, the captions in bold in the second, the rows below them as text
// cells, going on to sheets "title (2)", "title (3)", ... past Excel's rows
// per sheet. The first two rows stay in view while scrolling and every column
// is as wide as its widest text. Rows go to disk as they come, so a long list
// needs little memory.
class XlsxSheetWriter : public SheetWriter {
public:
    // Excel's most rows on a sheet.
    static constexpr unsigned kRowsPerSheet = 1048576;

    explicit XlsxSheetWriter(QString path, unsigned rowsPerSheet = kRowsPerSheet);
    ~XlsxSheetWriter() override;

    void Begin(const QString& title, const QStringList& captions) override;
    void AddRow(const QStringList& cells) override;
    void Finish() override;

    // The width, in characters of the sheet's default font, that shows text:
    // wide (CJK) characters count twice; never narrower than a short code nor
    // wider than a screen.
    static double ColumnWidth(const QString& text);

private:
    void StartSheet();
    void WriteRow(const QStringList& cells, lxw_format* format);
    bool SheetIsComplete() const;

    QString path_;
    unsigned rowsPerSheet_;
    QString title_;
    QStringList captions_;
    std::vector<lxw_worksheet*> sheets_;
    QByteArray encodedPath_;
    QByteArray temporaryFolder_;
    lxw_workbook* workbook_ = nullptr;
    lxw_worksheet* sheet_ = nullptr;
    lxw_format* titleFormat_ = nullptr;
    lxw_format* captionFormat_ = nullptr;
    std::vector<double> widths_;
    unsigned row_ = 0;
};

}  // namespace qor::services
