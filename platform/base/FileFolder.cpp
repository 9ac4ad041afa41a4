#include "platform/base/FileFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace qor {

namespace {

QString& LastFolder() {
    static QString folder;
    return folder;
}

}  // namespace

QString FileDialogFolder() {
    if (!LastFolder().isEmpty() && QFileInfo(LastFolder()).isDir()) return LastFolder();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void RememberFileFolder(const QString& file) {
    if (!file.isEmpty()) LastFolder() = QFileInfo(file).absolutePath();
}

}  // namespace qor
