#include "platform/services/StagedFile.h"

#include "platform/base/FileFailure.h"
#include "platform/base/HostError.h"
#include "platform/base/KeptFiles.h"

#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace qor::services {

StagedFile::StagedFile(QString destination) : destination_(std::move(destination)) {
    const QFileInfo info(destination_);
    if (info.isDir()) throw HostError(FileFailure(destination_, EISDIR));
    // A device, a pipe or a file the program keeps is never replaced.
    if (const std::optional<QString> refusal = OutputRefusal(destination_)) throw HostError(*refusal);
    QByteArray pattern =
        QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
    const int fd = mkstemp(pattern.data());
    if (fd < 0) throw HostError(FileFailure(destination_, errno));
    // mkstemp makes the file private to its owner; the finished file gets the
    // permissions of any newly created file.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    close(fd);
    temporary_ = QFile::decodeName(pattern);
}

StagedFile::~StagedFile() {
    if (!committed_) std::remove(QFile::encodeName(temporary_).constData());
}

void StagedFile::Commit() {
    if (std::rename(QFile::encodeName(temporary_).constData(), QFile::encodeName(destination_).constData()) != 0)
        throw HostError(FileFailure(destination_, errno));
    committed_ = true;
}

}  // namespace qor::services
