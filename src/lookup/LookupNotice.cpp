#include "lookup/LookupNotice.h"

#include "common/Messages.h"

#include <exception>

namespace qor {

void ShowLookupNotice(const QString& text) {
    try {
        ShowMessage(kMessageNotice, text);
    } catch (const std::exception&) {
    }
}

}  // namespace qor
