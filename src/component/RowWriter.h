#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <string_view>
#include <vector>

namespace qor {

// Writes rows of cells as TSV or CSV lines to a stream, buffered. Columns
// marked hidden are left out. CSV cells a spreadsheet would run as a formula
// get a leading apostrophe unless raw.
class RowWriter {
public:
    enum class Format { Tsv, Csv };

    RowWriter(std::FILE* out, Format format, std::vector<bool> hidden, bool raw = false);
    ~RowWriter();

    void WriteCells(const QStringList& cells);
    // Throws HostError when the stream refused the data.
    void Flush();

private:
    void AppendCell(std::string_view cell, bool first);
    void EndRow();

    std::FILE* out_;
    Format format_;
    std::vector<bool> hidden_;
    bool raw_;
    QByteArray buffer_;
};

}  // namespace qor
