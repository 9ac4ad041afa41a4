#pragma once

#include "platform/host/Dispatch.h"

namespace qor::services {

// QORExpImp80.ListImport: reads the rows of a CSV file or of an .xlsx
// workbook's sheet for an import (ReadSheet).
class ListImport : public host::Dispatch {
public:
    ListImport();
};

}  // namespace qor::services
