#pragma once

#include "platform/services/SheetWriter.h"

#include <QByteArray>
#include <vector>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace qor::services {

// An Excel workbook of one sheet named after the title: the title in the
// first row, the captions in bold in the second, the rows below them as text
// cells; the first two rows stay in view while scrolling and every column is
// as wide as its widest text. Rows go to disk as they come, so a long list
// needs little memory.
class XlsxSheetWriter : public SheetWriter {
public:
    explicit XlsxSheetWriter(QString path);
    ~XlsxSheetWriter() override;

    void Begin(const QString& title, const QStringList& captions) override;
    void AddRow(const QStringList& cells) override;
    void Finish() override;

    // The width, in characters of the sheet's default font, that shows text:
    // wide (CJK) characters count twice; never narrower than a short code nor
    // wider than a screen.
    static double ColumnWidth(const QString& text);

private:
    void WriteRow(const QStringList& cells, lxw_format* format);
    bool SheetIsComplete() const;

    QString path_;
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
