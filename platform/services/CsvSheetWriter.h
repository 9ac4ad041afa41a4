#pragma once

#include "platform/services/SheetWriter.h"

#include <QByteArray>
#include <cstdio>

namespace qor::services {

// A CSV file in UTF-8 with a byte-order mark (so that spreadsheet programs
// read the Chinese texts), lines ending in CR LF, fields quoted where they
// hold a comma, a quote or a line break, and text a spreadsheet program would
// run as a formula neutralised (NeutralisedCell) unless raw. It holds the
// caption row and the rows; the title names the file, not a line of it.
class CsvSheetWriter : public SheetWriter {
public:
    explicit CsvSheetWriter(QString path, bool raw = false);
    ~CsvSheetWriter() override;

    void Begin(const QString& title, const QStringList& captions) override;
    void AddRow(const QStringList& cells) override;
    void Finish() override;

private:
    void Flush();
    void Fail(int error);

    QString path_;
    bool raw_;
    std::FILE* file_ = nullptr;
    QByteArray buffer_;
    QByteArray utf8_;  // one cell in UTF-8, its capacity kept from cell to cell
};

}  // namespace qor::services
