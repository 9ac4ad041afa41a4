#pragma once

#include "platform/services/Session.h"

namespace qor::services {

// Registers the host components, working for the session's user, in the
// component factory under their ProgIDs.
void RegisterHostComponents(SessionPtr session);

}  // namespace qor::services
