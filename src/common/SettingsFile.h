#pragma once

#include <QString>

namespace qor {

// The module's settings file "VUZOvuvir.INI" in the folder of the component
// library (or program) holding this code; where the user may not write there
// (an installed library), qor-erp/VUZOvuvir.INI in the user's configuration
// folder.
QString ModuleSettingsPath();

// The group of that file under which a window keeps the logged-in user's
// window state: the window's name and the user's ID from the parsed property
// string.
QString UserWindowGroup(const QString& windowName);

}  // namespace qor
