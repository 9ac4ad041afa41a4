#pragma once

#include <QLatin1String>

// The list window's menu items and tools by the names users' scripts, the
// view settings and the window's automation know them by. The menus, the
// tools, the command dispatch and the settings all name them from here, so a
// misspelt name does not compile.
namespace qor::names {

inline constexpr QLatin1String kMnuFile{"mnuFile"};
inline constexpr QLatin1String kMnuPrint{"mnuPrint"};
inline constexpr QLatin1String kMnuPrintPreview{"mnuPrintPreview"};
inline constexpr QLatin1String kMnuPrintSetup{"mnuPrintSetup"};
inline constexpr QLatin1String kMnuExport{"mnuExport"};
inline constexpr QLatin1String kMnuImport{"mnuImport"};
inline constexpr QLatin1String kMnuClose{"mnuClose"};
inline constexpr QLatin1String kMnuEdit{"mnuEdit"};
inline constexpr QLatin1String kMnuEditNew{"mnuEditNew"};
inline constexpr QLatin1String kMnuEditModify{"mnuEditModify"};
inline constexpr QLatin1String kMnuEditDelete{"mnuEditDelete"};
inline constexpr QLatin1String kMnuEditBan{"mnuEditBan"};
inline constexpr QLatin1String kMnuEditUnBan{"mnuEditUnBan"};
inline constexpr QLatin1String kMnuFilter{"mnuFilter"};
inline constexpr QLatin1String kMnuSort{"mnuSort"};
inline constexpr QLatin1String kMnuFindBatch{"mnuFindBatch"};
inline constexpr QLatin1String kMnuView{"mnuView"};
inline constexpr QLatin1String kMnuShowToolBar{"mnuShowToolBar"};
inline constexpr QLatin1String kMnuShowStatus{"mnuShowStatus"};
inline constexpr QLatin1String kMnuRefresh{"mnuRefresh"};
inline constexpr QLatin1String kMnuHelp{"mnuHelp"};
inline constexpr QLatin1String kMnuIndex{"mnuIndex"};
inline constexpr QLatin1String kMnuContent{"mnuContent"};

inline constexpr QLatin1String kToolNew{"New"};
inline constexpr QLatin1String kToolModify{"Modify"};
inline constexpr QLatin1String kToolDelete{"Delete"};
inline constexpr QLatin1String kToolBan{"Ban"};
inline constexpr QLatin1String kToolUnBan{"UnBan"};
inline constexpr QLatin1String kToolSort{"Sort"};
inline constexpr QLatin1String kToolFilter{"Filter"};
inline constexpr QLatin1String kToolQuit{"Quit"};
inline constexpr QLatin1String kToolPreview{"preview"};
inline constexpr QLatin1String kToolPrint{"print"};
inline constexpr QLatin1String kToolFindBatch{"FindBatch"};

}  // namespace qor::names
