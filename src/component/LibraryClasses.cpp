#include "src/component/LibraryClasses.h"

#include "src/component/CBatchTraceOutput.h"
#include "src/component/OrderBatchTraceRegistration.h"
#include "src/host/ProgIds.h"

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
