#pragma once

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QString>

namespace qor::services {

// Reads the entries of a zip file (stored or deflated), such as the parts of
// an .xlsx workbook. Entries that are missing or damaged read as empty.
class ZipArchive {
public:
    explicit ZipArchive(const QString& path);

    QByteArray Read(const QString& entry) const;
    // The last bytes of an entry, inflated without holding the whole entry.
    QByteArray Tail(const QString& entry, qsizetype bytes) const;

private:
    struct Entry {
        quint16 method = 0;
        qsizetype offset = 0;  // of the packed data
        qsizetype packed = 0;
        qsizetype size = 0;
    };
    // Inflates entry in pieces, handing each to sink; false when damaged.
    template <typename Sink>
    bool Inflate(const Entry& entry, Sink&& sink) const;
    const Entry* Find(const QString& name) const;

    QFile file_;
    const uchar* data_ = nullptr;
    qsizetype length_ = 0;
    QHash<QString, Entry> entries_;
};

}  // namespace qor::services
