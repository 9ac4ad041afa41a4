#pragma once

#include "platform/host/Object.h"

namespace qor {

// COrderBatchTrace as a late-bound object, with the members VectCol (get,
// put), IsUseOrderBatchTrace and Show: what the component library hands the
// host.
host::ObjectPtr NewOrderBatchTrace();

// Registers that object in the component factory under
// "QOROrderBatchTrace.COrderBatchTrace", for programs that link the module
// instead of loading the component library.
void RegisterOrderBatchTrace();

}  // namespace qor
