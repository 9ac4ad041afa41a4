#include "src/component/RowWriter.h"

#include "platform/base/HostError.h"
#include "platform/base/SpreadsheetText.h"

namespace qor {

namespace {
constexpr qsizetype kFlushAt = 1 << 20;
}

RowWriter::RowWriter(std::FILE* out, Format format, std::vector<bool> hidden, bool raw)
    : out_(out), format_(format), hidden_(std::move(hidden)), raw_(raw) {
    buffer_.reserve(kFlushAt + 4096);
}

RowWriter::~RowWriter() {
    try {
        Flush();
    } catch (const HostError&) {
    }
}

// Tab, CR, LF, comma and the double quote are single bytes that never occur
// inside the UTF-8 encoding of another character.
void RowWriter::AppendCell(std::string_view cell, bool first) {
    if (!first) buffer_.append(format_ == Format::Tsv ? '\t' : ',');
    if (format_ == Format::Tsv) {
        const qsizetype at = buffer_.size();
        buffer_.append(cell.data(), static_cast<qsizetype>(cell.size()));
        for (qsizetype i = at; i < buffer_.size(); ++i)
            if (buffer_[i] == '\t' || buffer_[i] == '\r' || buffer_[i] == '\n') buffer_[i] = ' ';
        return;
    }
    if (cell.find_first_of(",\"\r\n") == std::string_view::npos) {
        buffer_.append(cell.data(), static_cast<qsizetype>(cell.size()));
        return;
    }
    buffer_.append('"');
    for (const char c : cell) {
        if (c == '"') buffer_.append('"');
        buffer_.append(c);
    }
    buffer_.append('"');
}

void RowWriter::WriteCells(const QStringList& cells) {
    bool first = true;
    for (qsizetype column = 0; column < cells.size(); ++column) {
        if (static_cast<size_t>(column) < hidden_.size() && hidden_[static_cast<size_t>(column)]) continue;
        const QByteArray utf8 =
            (format_ == Format::Csv && !raw_ ? NeutralisedCell(cells[column]) : cells[column]).toUtf8();
        AppendCell(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())), first);
        first = false;
    }
    EndRow();
}

void RowWriter::EndRow() {
    buffer_.append(format_ == Format::Tsv ? "\n" : "\r\n");
    if (buffer_.size() >= kFlushAt) Flush();
}

void RowWriter::Flush() {
    if (buffer_.isEmpty()) return;
    const size_t written = std::fwrite(buffer_.constData(), 1, static_cast<size_t>(buffer_.size()), out_);
    const bool complete = written == static_cast<size_t>(buffer_.size());
    buffer_.clear();
    if (!complete || std::fflush(out_) != 0) throw HostError(QStringLiteral("写出失败(磁盘已满或管道已关闭)。"));
}

}  // namespace qor
