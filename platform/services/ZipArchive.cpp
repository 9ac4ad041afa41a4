#include "platform/services/ZipArchive.h"

#include <zip.h>
#include <QFile>

namespace qor::services {

namespace {
constexpr qsizetype kPiece = 1 << 16;
}

ZipArchive::ZipArchive(const QString& path) {
    int error = 0;
    archive_ = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
}

ZipArchive::~ZipArchive() {
    if (archive_) zip_discard(archive_);
}

bool ZipArchive::Contains(const QString& entry) const {
    return archive_ && zip_name_locate(archive_, entry.toUtf8().constData(), 0) >= 0;
}

bool ZipArchive::Stream(const QString& entry, const std::function<bool(const char*, qsizetype)>& sink) const {
    if (!archive_) return false;
    zip_file_t* file = zip_fopen(archive_, entry.toUtf8().constData(), 0);
    if (!file) return false;
    QByteArray piece(kPiece, Qt::Uninitialized);
    bool whole = true;
    for (;;) {
        const zip_int64_t n = zip_fread(file, piece.data(), static_cast<zip_uint64_t>(piece.size()));
        if (n < 0) whole = false;
        if (n <= 0) break;
        if (!sink(piece.constData(), static_cast<qsizetype>(n))) {
            whole = false;
            break;
        }
    }
    zip_fclose(file);
    return whole;
}

QByteArray ZipArchive::Read(const QString& entry) const {
    QByteArray out;
    const bool whole = Stream(entry, [&out](const char* bytes, qsizetype n) {
        out.append(bytes, n);
        return true;
    });
    return whole ? out : QByteArray();
}

QByteArray ZipArchive::Tail(const QString& entry, qsizetype bytes) const {
    QByteArray tail;
    const bool whole = Stream(entry, [&tail, bytes](const char* piece, qsizetype n) {
        tail.append(piece, n);
        if (tail.size() > 2 * bytes) tail.remove(0, tail.size() - bytes);
        return true;
    });
    return whole ? tail.right(bytes) : QByteArray();
}

}  // namespace qor::services
