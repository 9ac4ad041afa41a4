#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

struct zip;

namespace qor::services {

// Reads the entries of a zip file, such as the parts of an .xlsx workbook,
// through libzip.
class ZipArchive {
public:
    explicit ZipArchive(const QString& path);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // False when the file is missing or not a readable zip file.
    bool IsOpen() const { return archive_ != nullptr; }
    bool Contains(const QString& entry) const;

    // Hands the entry's bytes to sink piece by piece; false when the entry is
    // missing or damaged (its check sum or length does not hold), or when
    // sink answers false.
    bool Stream(const QString& entry, const std::function<bool(const char*, qsizetype)>& sink) const;
    // The whole entry; empty when it is missing or damaged.
    QByteArray Read(const QString& entry) const;
    // The last bytes of an entry, without holding the whole entry.
    QByteArray Tail(const QString& entry, qsizetype bytes) const;

private:
    zip* archive_ = nullptr;
};

}  // namespace qor::services
