#pragma once

#include "platform/db/Database.h"

namespace qor::services {

// Whether the user holds every bit of mask for the function (module,
// detail): t_UserRight.FMask carries the bits a user holds.
bool HoldsRight(db::Database& database, int userId, int module, int detail, qint64 mask);

}  // namespace qor::services
