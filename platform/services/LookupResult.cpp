#include "platform/services/LookupResult.h"

namespace qor::services {

LookupResult::LookupResult(host::ObjectPtr chosen)
    : Dispatch(QStringLiteral("QOREBCGLView.LookupResult")), chosen_(std::move(chosen)) {
    Property(QStringLiteral("ReturnOK"), [this] { return chosen_ != nullptr; });
    Property(QStringLiteral("ReturnObject"), [this] { return chosen_ ? QVariant::fromValue(chosen_) : QVariant(); });
}

}  // namespace qor::services
