#include "component/LibraryClasses.h"

#include "component/CBatchTraceOutput.h"
#include "component/OrderBatchTraceRegistration.h"
#include "host/ProgIds.h"

namespace qor {

namespace {

host::ObjectPtr NewBatchTraceOutput() { return std::make_shared<CBatchTraceOutput>(); }

const LibraryClass kClasses[] = {
    {inproc::kClsidOrderBatchTrace, host::progid::kOrderBatchTrace, NewOrderBatchTrace},
    {inproc::kClsidBatchTraceOutput, host::progid::kBatchTraceOutput, NewBatchTraceOutput},
};

}  // namespace

std::span<const LibraryClass> LibraryClasses() { return kClasses; }

}  // namespace qor
