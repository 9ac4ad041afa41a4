#include "RowWriter.h"

#include "base/HostError.h"

namespace qor::app {

namespace {
constexpr qsizetype kFlushAt = 1 << 20;
}

RowWriter::RowWriter(std::FILE* out, Format format, std::vector<bool> hidden)
    : out_(out), format_(format), hidden_(std::move(hidden)) {
    buffer_.reserve(kFlushAt + 4096);
}

RowWriter::~RowWriter() {
    try {
        Flush();
    } catch (const HostError&) {
    }
}

void RowWriter::AppendCell(QStringView cell, bool first) {
    if (!first) buffer_.append(format_ == Format::Tsv ? '\t' : ',');
    if (format_ == Format::Tsv) {
        QString clean = cell.toString();
        clean.replace(u'\t', u' ').replace(u'\r', u' ').replace(u'\n', u' ');
        buffer_.append(clean.toUtf8());
        return;
    }
    const bool quote = cell.contains(u',') || cell.contains(u'"') || cell.contains(u'\r') || cell.contains(u'\n');
    if (!quote) {
        buffer_.append(cell.toUtf8());
        return;
    }
    QString quoted = cell.toString();
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    buffer_.append('"').append(quoted.toUtf8()).append('"');
}

void RowWriter::WriteRow(const QString& rowText) {
    qsizetype start = 0;
    size_t column = 0;
    bool first = true;
    for (qsizetype bar = rowText.indexOf(u'|'); bar >= 0; bar = rowText.indexOf(u'|', start)) {
        if (column >= hidden_.size() || !hidden_[column]) {
            AppendCell(QStringView(rowText).mid(start, bar - start), first);
            first = false;
        }
        ++column;
        start = bar + 1;
    }
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

}  // namespace qor::app
