#pragma once

#include "platform/host/Dispatch.h"

namespace qor::services {

// The answer of an item picker: ReturnOK tells whether the user chose, and
// ReturnObject is the chosen item object (nothing when none).
class LookupResult : public host::Dispatch {
public:
    explicit LookupResult(host::ObjectPtr chosen);

private:
    host::ObjectPtr chosen_;
};

}  // namespace qor::services
