#pragma once

#include "platform/base/HostError.h"

namespace qor::services {

// A save request the save component turns down: the description is the
// answer for the user, and nothing has been written.
class TraceRefusal : public HostError {
public:
    using HostError::HostError;
};

}  // namespace qor::services
