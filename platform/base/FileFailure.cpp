#include "platform/base/FileFailure.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>

namespace qor {

namespace {

// What both directions share, or an empty text for the rest.
QString CommonFailure(const QString& file, int error) {
    switch (error) {
        case ENAMETOOLONG:
            return QStringLiteral("文件名 %1 太长。").arg(file);
        case ELOOP:
            return QStringLiteral("文件 %1 的链接层次太多，或链接指向自己。").arg(file);
        case EISDIR:
            return QStringLiteral("%1 是一个文件夹，不是文件。").arg(file);
        case EIO:
            return QStringLiteral("读写文件 %1 时磁盘出错。").arg(file);
        case EMFILE:
        case ENFILE:
            return QStringLiteral("打开的文件太多，无法打开文件 %1。").arg(file);
        default:
            return {};
    }
}

}  // namespace

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
        default:
            break;
    }
    const QString common = CommonFailure(file, error);
    return common.isEmpty() ? QStringLiteral("无法写入文件 %1（系统错误 %2）。").arg(file).arg(error) : common;
}

QString FileReadFailure(const QString& path, int error) {
    const QString file = QDir::toNativeSeparators(path);
    switch (error) {
        case EACCES:
        case EPERM:
            return QStringLiteral("没有读取文件 %1 的权限。").arg(file);
        case ENOENT:
        case ENOTDIR:
            return QStringLiteral("文件 %1 不存在。").arg(file);
        default:
            break;
    }
    const QString common = CommonFailure(file, error);
    return common.isEmpty() ? QStringLiteral("无法读取文件 %1（系统错误 %2）。").arg(file).arg(error) : common;
}

}  // namespace qor
