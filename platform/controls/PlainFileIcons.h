#pragma once

#include <QAbstractFileIconProvider>
#include <QFileDialog>

namespace qor::controls {

// Icons and type names for a file dialog that never open a file. Qt's own
// read a file's first bytes to tell its type, and a process that opens and
// closes a SQLite company it has open drops that company's locks: another
// program could then write to it under the window's feet.
class PlainFileIcons : public QAbstractFileIconProvider {
public:
    using QAbstractFileIconProvider::icon;
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;
};

// Gives the dialog those icons. It is Qt's own dialog: a desktop's dialog,
// run in this process, would look into the files itself.
void UsePlainFileIcons(QFileDialog& dialog);

}  // namespace qor::controls
