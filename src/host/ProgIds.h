#pragma once

#include "platform/host/HostProgIds.h"

// The ProgIDs of this module's own classes; the host components it calls are
// named in HostProgIds.h.
namespace qor::host::progid {

// The component class of this module, as the host creates it.
inline constexpr const char* kOrderBatchTrace = "QOROrderBatchTrace.COrderBatchTrace";
// The same library's list without a window, for the host's command line: WriteList(item, format),
// ExportList(item, file), PrintList(item, file) (see component/CBatchTraceOutput.h).
inline constexpr const char* kBatchTraceOutput = "QOROrderBatchTrace.CBatchTraceOutput";

}  // namespace qor::host::progid
