#pragma once

#include <QString>

namespace qor {

// The folder a file dialog opens in: where the user last chose a file in
// this session, else the documents folder when there is one, else home.
QString FileDialogFolder();
// Notes the folder of a file the user chose in a file dialog.
void RememberFileFolder(const QString& file);

}  // namespace qor
