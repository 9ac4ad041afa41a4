#include "platform/host/RowSource.h"

namespace qor::host {

// Defined here so that the host library holds the class's type information,
// which the export and a component library loaded at run time share.
RowSource::~RowSource() = default;

}  // namespace qor::host
