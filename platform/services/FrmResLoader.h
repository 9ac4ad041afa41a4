#pragma once

#include "platform/host/Dispatch.h"

namespace qor::services {

// QORFrmRes.FrmResLoader: GetZ9FontProps(language) answers the report font
// as a Dictionary with "Font.Name" and "Font.Charset". Reports use WenQuanYi
// Micro Hei, so the text extracted from a PDF is the text that was printed.
class FrmResLoader : public host::Dispatch {
public:
    FrmResLoader();
};

}  // namespace qor::services
