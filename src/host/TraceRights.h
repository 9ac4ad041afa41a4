#pragma once

#include <cstdint>

// The batch-trace function in the host's rights store and its right masks,
// one bit each. The module asks for them; the save component checks them again.
namespace qor {

inline constexpr int32_t kTraceRightModule = 1099;
inline constexpr int32_t kTraceRightDetail = 20;

inline constexpr int32_t kRightExport = 0x10;
inline constexpr int32_t kRightPrint = 0x2000;
inline constexpr int32_t kRightBan = 0x8000;  // ban and unban
inline constexpr int32_t kRightDelete = 0x10000;
inline constexpr int32_t kRightNew = 0x20000;
inline constexpr int32_t kRightView = 0x200000;
inline constexpr int32_t kRightModify = 0x400000;

}  // namespace qor
