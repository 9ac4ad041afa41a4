#include "platform/controls/PlainFileIcons.h"

#include <QFileInfo>

namespace qor::controls {

QIcon PlainFileIcons::icon(const QFileInfo& info) const { return icon(info.isDir() ? Folder : File); }

QString PlainFileIcons::type(const QFileInfo& info) const {
    if (info.isDir()) return QStringLiteral("文件夹");
    const QString suffix = info.suffix();
    return suffix.isEmpty() ? QStringLiteral("文件") : suffix.toUpper() + QStringLiteral(" 文件");
}

void UsePlainFileIcons(QFileDialog& dialog) {
    static PlainFileIcons icons;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setIconProvider(&icons);
}

}  // namespace qor::controls
