#pragma once

#include <QVariant>
#include <memory>
#include <vector>

namespace qor {

// Ordered list of values, positions 1 to Count(). Shared by reference.
class Vector {
public:
    static std::shared_ptr<Vector> New() { return std::make_shared<Vector>(); }

    void Add(const QVariant& value) { items_.push_back(value); }
    int Count() const { return static_cast<int>(items_.size()); }
    // Throws HostError when i is outside 1..Count().
    const QVariant& Item(int i) const;
    void SetItem(int i, const QVariant& value);

private:
    std::vector<QVariant> items_;
};

using VectorPtr = std::shared_ptr<Vector>;

}  // namespace qor
