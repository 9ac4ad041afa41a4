#include "platform/services/ZipArchive.h"

#include <zlib.h>

namespace qor::services {

namespace {

constexpr quint32 kEndOfDirectory = 0x06054b50;
constexpr quint32 kDirectoryEntry = 0x02014b50;
constexpr quint16 kStored = 0;
constexpr quint16 kDeflated = 8;
constexpr qsizetype kPiece = 1 << 16;

quint16 U16(const uchar* p) { return static_cast<quint16>(p[0] | p[1] << 8); }
quint32 U32(const uchar* p) {
    return static_cast<quint32>(p[0]) | static_cast<quint32>(p[1]) << 8 | static_cast<quint32>(p[2]) << 16 |
           static_cast<quint32>(p[3]) << 24;
}

}  // namespace

ZipArchive::ZipArchive(const QString& path) : file_(path) {
    if (!file_.open(QIODevice::ReadOnly) || file_.size() < 22) return;
    length_ = file_.size();
    data_ = file_.map(0, length_);
    if (!data_) return;
    qsizetype end = length_ - 22;
    while (end >= 0 && U32(data_ + end) != kEndOfDirectory) --end;
    if (end < 0) return;
    qsizetype at = U32(data_ + end + 16);
    for (int n = U16(data_ + end + 10); n > 0 && at + 46 <= length_ && U32(data_ + at) == kDirectoryEntry; --n) {
        const quint16 nameLength = U16(data_ + at + 28);
        const qsizetype local = U32(data_ + at + 42);
        if (at + 46 + nameLength > length_ || local + 30 > length_) return;
        Entry entry;
        entry.method = U16(data_ + at + 10);
        entry.packed = U32(data_ + at + 20);
        entry.size = U32(data_ + at + 24);
        entry.offset = local + 30 + U16(data_ + local + 26) + U16(data_ + local + 28);
        if (entry.offset + entry.packed <= length_)
            entries_.insert(QString::fromUtf8(reinterpret_cast<const char*>(data_ + at + 46), nameLength), entry);
        at += 46 + nameLength + U16(data_ + at + 30) + U16(data_ + at + 32);
    }
}

const ZipArchive::Entry* ZipArchive::Find(const QString& name) const {
    const auto it = entries_.constFind(name);
    return it == entries_.cend() ? nullptr : &*it;
}

template <typename Sink>
bool ZipArchive::Inflate(const Entry& entry, Sink&& sink) const {
    const uchar* packed = data_ + entry.offset;
    if (entry.method == kStored) {
        sink(reinterpret_cast<const char*>(packed), entry.packed);
        return true;
    }
    if (entry.method != kDeflated) return false;
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return false;
    z.next_in = const_cast<Bytef*>(packed);
    z.avail_in = static_cast<uInt>(entry.packed);
    QByteArray piece(kPiece, Qt::Uninitialized);
    int result = Z_OK;
    while (result == Z_OK) {
        z.next_out = reinterpret_cast<Bytef*>(piece.data());
        z.avail_out = static_cast<uInt>(piece.size());
        result = inflate(&z, Z_NO_FLUSH);
        sink(piece.constData(), piece.size() - z.avail_out);
    }
    inflateEnd(&z);
    return result == Z_STREAM_END;
}

QByteArray ZipArchive::Read(const QString& name) const {
    const Entry* entry = Find(name);
    if (!entry) return {};
    QByteArray out;
    out.reserve(entry->size);
    if (!Inflate(*entry, [&out](const char* bytes, qsizetype n) { out.append(bytes, n); })) return {};
    return out;
}

QByteArray ZipArchive::Tail(const QString& name, qsizetype bytes) const {
    const Entry* entry = Find(name);
    if (!entry) return {};
    QByteArray tail;
    const bool whole = Inflate(*entry, [&tail, bytes](const char* piece, qsizetype n) {
        tail.append(piece, n);
        if (tail.size() > 2 * bytes) tail.remove(0, tail.size() - bytes);
    });
    if (!whole) return {};
    return tail.right(bytes);
}

}  // namespace qor::services
