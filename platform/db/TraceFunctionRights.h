#pragma once

#include <QtGlobal>

// Where the rights store keeps the batch-trace function, and the right masks
// the host itself grants or enforces: the demo's grants, the user command's
// changes and the save component's checks. The module names the same
// function and masks in its own header; the shell checks that they agree.
namespace qor::db {

inline constexpr int kTraceFunctionModule = 1099;
inline constexpr int kTraceFunctionDetail = 20;

inline constexpr qint64 kTraceRightBan = 0x8000;  // ban and unban
inline constexpr qint64 kTraceRightDelete = 0x10000;
inline constexpr qint64 kTraceRightNew = 0x20000;
inline constexpr qint64 kTraceRightView = 0x200000;
inline constexpr qint64 kTraceRightModify = 0x400000;
inline constexpr qint64 kTraceRightsAll = 0x7FFFFFFF;

}  // namespace qor::db
