#include "platform/services/FileFailure.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

namespace qor::services {

QString FileFailure(const QString& path, int error) {
    const QString file = QDir::toNativeSeparators(path);
    const QString folder = QDir::toNativeSeparators(QFileInfo(path).absolutePath());
    switch (error) {
        case ENOSPC:
        case EDQUOT:
            return QStringLiteral("磁盘空间不足，无法写入文件 %1。").arg(file);
        case EFBIG:
            return QStringLiteral("文件太大，无法写入文件 %1。").arg(file);
        case EACCES:
        case EPERM:
            return QStringLiteral("没有写入文件夹 %1 的权限。").arg(folder);
        case EROFS:
            return QStringLiteral("文件夹 %1 只能读取，不能写入。").arg(folder);
        case ENOENT:
        case ENOTDIR:
            return QStringLiteral("文件夹 %1 不存在。").arg(folder);
        case EISDIR:
            return QStringLiteral("%1 是一个文件夹，不能作为文件写入。").arg(file);
        default:
            return QStringLiteral("无法写入文件 %1：%2").arg(file, QString::fromLocal8Bit(std::strerror(error)));
    }
}

}  // namespace qor::services
