#include "platform/services/ItemRecord.h"

#include "platform/base/Variant.h"

namespace qor::services {

ItemRecord::ItemRecord(DictionaryPtr fields)
    : Dispatch(QStringLiteral("QOREBCGLView.Item")), fields_(std::move(fields)) {
    Property(QStringLiteral("ID"), [this] { return fields_->Item(QStringLiteral("FItemID")); });
    Property(QStringLiteral("Number"), [this] { return fields_->Item(QStringLiteral("FNumber")); });
    Property(QStringLiteral("Name"), [this] { return fields_->Item(QStringLiteral("FName")); });
    Property(QStringLiteral("Properties"), [this] { return QVariant::fromValue(fields_); });
}

}  // namespace qor::services
