#pragma once

#include "platform/host/InprocServer.h"
#include "platform/host/Object.h"

#include <span>

namespace qor {

// A creatable class of the component library.
struct LibraryClass {
    inproc::Guid clsid;
    const char* progId;
    host::ObjectPtr (*create)();
};

// COrderBatchTrace, and CBatchTraceOutput for the host's command line.
std::span<const LibraryClass> LibraryClasses();

}  // namespace qor
