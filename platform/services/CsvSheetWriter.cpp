#include "platform/services/CsvSheetWriter.h"

#include "platform/base/FileFailure.h"
#include "platform/base/HostError.h"
#include "platform/base/SpreadsheetText.h"

#include <unistd.h>
#include <QFile>
#include <algorithm>
#include <cerrno>

namespace qor::services {

namespace {

constexpr qsizetype kFlushAt = 1 << 16;

// The cell in UTF-8, quoted when it holds a separator, a quote or a line
// break, with its quotes doubled; one pass over the bytes.
void AppendField(QByteArray& out, const QString& cell, QByteArray& utf8) {
    utf8 = cell.toUtf8();
    const bool quote =
        std::any_of(utf8.cbegin(), utf8.cend(), [](char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; });
    if (!quote) {
        out.append(utf8);
        return;
    }
    out.append('"');
    for (const char c : utf8) {
        if (c == '"') out.append('"');
        out.append(c);
    }
    out.append('"');
}

}  // namespace

CsvSheetWriter::CsvSheetWriter(QString path, bool raw) : path_(std::move(path)), raw_(raw) {
    file_ = std::fopen(QFile::encodeName(path_).constData(), "wb");
    if (!file_) Fail(errno);
    buffer_.reserve(2 * kFlushAt);
}

CsvSheetWriter::~CsvSheetWriter() {
    if (file_) std::fclose(file_);
}

void CsvSheetWriter::Fail(int error) { throw HostError(FileFailure(path_, error)); }

void CsvSheetWriter::Begin(const QString&, const QStringList& captions) {
    buffer_.append("\xEF\xBB\xBF");
    AddRow(captions);
}

void CsvSheetWriter::AddRow(const QStringList& cells) {
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0) buffer_.append(',');
        AppendField(buffer_, raw_ ? cells[i] : NeutralisedCell(cells[i]), utf8_);
    }
    buffer_.append("\r\n");
    if (buffer_.size() >= kFlushAt) Flush();
}

void CsvSheetWriter::Flush() {
    if (buffer_.isEmpty()) return;
    errno = 0;
    const size_t written = std::fwrite(buffer_.constData(), 1, static_cast<size_t>(buffer_.size()), file_);
    if (written != static_cast<size_t>(buffer_.size())) Fail(errno ? errno : EIO);
    buffer_.resize(0);  // keeps the allocation for the next rows
}

void CsvSheetWriter::Finish() {
    Flush();
    errno = 0;
    const bool flushed = std::fflush(file_) == 0 && fsync(fileno(file_)) == 0;
    const int error = errno;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!flushed || !closed) Fail(error ? error : (errno ? errno : EIO));
}

}  // namespace qor::services
