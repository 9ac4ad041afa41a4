#pragma once

#include <QVariant>
#include <cstdint>
#include <memory>
#include <vector>

namespace qor {

// Ordered list of values, positions 1 to Count(). Shared by reference.
class Vector {
public:
    static std::shared_ptr<Vector> New() { return std::make_shared<Vector>(); }

    void Add(const QVariant& value) {
        items_.push_back(value);
        ++version_;
    }
    int Count() const { return static_cast<int>(items_.size()); }
    // Throws HostError when i is outside 1..Count().
    const QVariant& Item(int i) const;
    void SetItem(int i, const QVariant& value);
    // Changes with every change of the list, so readers can tell that what
    // they derived from it is still current.
    uint64_t Version() const { return version_; }

private:
    std::vector<QVariant> items_;
    uint64_t version_ = 0;
};

using VectorPtr = std::shared_ptr<Vector>;

}  // namespace qor
