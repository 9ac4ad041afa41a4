#pragma once

#include "platform/base/Vector.h"

#include <cstdint>

namespace qor {

// The module's one public class, created by the host. Creating it sets the
// process-wide short-number switch from the system profile and builds the
// column schema it publishes. No exception leaves a public member.
class COrderBatchTrace {
public:
    COrderBatchTrace();

    // The schema itself, shared, not a copy.
    VectorPtr VectCol() const { return vectCol_; }
    // Replaces the schema reference; the next Show uses vData.
    void SetVectCol(VectorPtr vData) { vectCol_ = std::move(vData); }

    // Whether the system profile switches the trace feature on: "IC" /
    // "UseOrderBatchTrace", trimmed, equal to "1" (unreadable counts as "1").
    bool IsUseOrderBatchTrace() const;

    // Opens the main list window modally; answers 0 when it has closed.
    int32_t Show();

private:
    VectorPtr vectCol_;
};

}  // namespace qor
