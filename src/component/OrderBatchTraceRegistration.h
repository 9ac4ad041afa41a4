#pragma once

namespace qor {

// Registers COrderBatchTrace in the component factory under
// "QOROrderBatchTrace.COrderBatchTrace", the ProgID the host creates it by,
// with the members VectCol (get, put), IsUseOrderBatchTrace and Show.
void RegisterOrderBatchTrace();

}  // namespace qor
