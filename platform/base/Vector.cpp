#include "platform/base/Vector.h"

#include "platform/base/HostError.h"

namespace qor {

namespace {
void CheckIndex(int i, int count) {
    if (i < 1 || i > count) throw HostError(QStringLiteral("下标越界: %1 (共 %2 项)").arg(i).arg(count));
}
}  // namespace

const QVariant& Vector::Item(int i) const {
    CheckIndex(i, Count());
    return items_[static_cast<size_t>(i - 1)];
}

void Vector::SetItem(int i, const QVariant& value) {
    CheckIndex(i, Count());
    items_[static_cast<size_t>(i - 1)] = value;
    ++version_;
}

}  // namespace qor
