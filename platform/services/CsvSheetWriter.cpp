#include "platform/services/CsvSheetWriter.h"

#include "platform/base/HostError.h"
#include "platform/base/SpreadsheetText.h"
#include "platform/services/FileFailure.h"

#include <unistd.h>
#include <QFile>
#include <cerrno>

namespace qor::services {

namespace {

constexpr qsizetype kFlushAt = 1 << 16;

void AppendField(QByteArray& out, const QString& cell) {
    const bool quote = cell.contains(u',') || cell.contains(u'"') || cell.contains(u'\r') || cell.contains(u'\n');
    if (!quote) {
        out.append(cell.toUtf8());
        return;
    }
    QString quoted = cell;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    out.append('"').append(quoted.toUtf8()).append('"');
}

}  // namespace

CsvSheetWriter::CsvSheetWriter(QString path, bool raw) : path_(std::move(path)), raw_(raw) {
    file_ = std::fopen(QFile::encodeName(path_).constData(), "wb");
    if (!file_) Fail(errno);
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
        AppendField(buffer_, raw_ ? cells[i] : NeutralisedCell(cells[i]));
    }
    buffer_.append("\r\n");
    if (buffer_.size() >= kFlushAt) Flush();
}

void CsvSheetWriter::Flush() {
    if (buffer_.isEmpty()) return;
    errno = 0;
    const size_t written = std::fwrite(buffer_.constData(), 1, static_cast<size_t>(buffer_.size()), file_);
    if (written != static_cast<size_t>(buffer_.size())) Fail(errno ? errno : EIO);
    buffer_.clear();
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
