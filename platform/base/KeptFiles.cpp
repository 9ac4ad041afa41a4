#include "platform/base/KeptFiles.h"

#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <mutex>
#include <utility>
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

// Where a path leads: its links followed as far as they go, also to a file
// that does not exist yet, with the folder's real path.
QString PlaceOf(const QString& path) {
    constexpr int kMostLinks = 40;
    QString place = QFileInfo(path).absoluteFilePath();
    for (int hop = 0; hop < kMostLinks; ++hop) {
        const QFileInfo info(place);
        if (!info.isSymLink()) break;
        place = QDir(info.absolutePath()).absoluteFilePath(info.symLinkTarget());
    }
    const QFileInfo info(place);
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return (folder.isEmpty() ? info.absolutePath() : folder) + u'/' + info.fileName();
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

std::optional<QString> OutputRefusal(const QString& path) {
    const QString shown = QDir::toNativeSeparators(path);
    const QString place = PlaceOf(path);
    struct stat target {};
    const bool exists = stat(QFile::encodeName(place).constData(), &target) == 0;
    if (exists && !S_ISREG(target.st_mode)) return QStringLiteral("%1 不是普通文件，不能用作输出文件。").arg(shown);
    const std::lock_guard lock(keptMutex);
    for (const KeptFile& kept : Kept()) {
        struct stat other {};
        const bool same =
            kept.place == place || (exists && stat(QFile::encodeName(kept.place).constData(), &other) == 0 &&
                                    other.st_dev == target.st_dev && other.st_ino == target.st_ino);
        if (same) return QStringLiteral("%1 就是%2，不能用作输出文件；它没有被改动。").arg(shown, kept.what);
    }
    return std::nullopt;
}

}  // namespace qor
