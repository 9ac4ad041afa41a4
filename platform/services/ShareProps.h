#pragma once

#include "platform/host/Dispatch.h"

namespace qor::services {

// QORPropsMgr.ShareProps: properties shared by every component of a process,
// kept once for the whole program. SetProperty(processId, key, value) stores
// a value (objects included); GetProperty(processId, key) reads it back and
// fails for a key never set. Keys match without regard to letter case.
class ShareProps : public host::Dispatch {
public:
    ShareProps();
};

}  // namespace qor::services
