#include "platform/base/KeptFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <array>
#include <cerrno>
#include <mutex>
#include <vector>

namespace qor {

namespace {

struct KeptFile {
    QString place;  // the folder's real path and the name
    QString what;
};

std::mutex keptMutex;
std::vector<KeptFile>& Kept() {
    static std::vector<KeptFile> kept;
    return kept;
}

QString RealFolder(const QString& path) {
    const QFileInfo info(path);
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? info.absolutePath() : folder;
}

// Where a path leads: its links followed as the system follows them (a
// relative target from the link's real folder), also to a file that does not
// exist yet; the real folder and the name.
QString PlaceOf(const QString& path) {
    constexpr int kMostLinks = 40;
    QString place = QFileInfo(path).absoluteFilePath();
    for (int hop = 0; hop < kMostLinks; ++hop) {
        std::array<char, 4096> target{};
        const ssize_t length = readlink(QFile::encodeName(place).constData(), target.data(), target.size());
        if (length <= 0 || static_cast<size_t>(length) >= target.size()) break;
        place = QDir::cleanPath(
            QDir(RealFolder(place)).absoluteFilePath(QFile::decodeName(QByteArray(target.data(), length))));
    }
    return RealFolder(place) + u'/' + QFileInfo(place).fileName();
}

bool SameFile(const struct stat& a, const QString& path) {
    struct stat b {};
    return stat(QFile::encodeName(path).constData(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Why an existing output of that kind may not take the output, or empty.
QString KindRefusal(const QString& path, const struct stat& target, OutputUse use, const QString& shown) {
    if (S_ISREG(target.st_mode)) return {};
    if (use == OutputUse::WrittenInPlace && S_ISCHR(target.st_mode)) return {};
    if (use == OutputUse::WrittenInPlace && S_ISFIFO(target.st_mode)) {
        // Opening a pipe nobody reads would wait for ever.
        const int fd = open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) {
            close(fd);
            return {};
        }
        if (errno == ENXIO) return QStringLiteral("管道 %1 没有程序在读，不能用作输出文件。").arg(shown);
    }
    return QStringLiteral("%1 不是普通文件，不能用作输出文件。").arg(shown);
}

}  // namespace

void KeepFile(const QString& path, const QString& what) {
    if (path.isEmpty()) return;
    const QString place = PlaceOf(path);
    const std::lock_guard lock(keptMutex);
    for (const KeptFile& kept : Kept())
        if (kept.place == place) return;
    Kept().push_back({place, what});
}

std::optional<QString> OutputRefusal(const QString& path, OutputUse use) {
    const QString shown = QDir::toNativeSeparators(path);
    struct stat target {};
    const bool exists = stat(QFile::encodeName(path).constData(), &target) == 0;
    if (exists)
        if (const QString refusal = KindRefusal(path, target, use, shown); !refusal.isEmpty()) return refusal;
    const QString place = PlaceOf(path);
    const std::lock_guard lock(keptMutex);
    for (const KeptFile& kept : Kept())
        if (kept.place == place || (exists && SameFile(target, kept.place)))
            return QStringLiteral("%1 就是%2，不能用作输出文件；它没有被改动。").arg(shown, kept.what);
    return std::nullopt;
}

}  // namespace qor
