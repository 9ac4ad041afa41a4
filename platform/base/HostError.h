#pragma once

#include <QString>
#include <stdexcept>

namespace qor {

// The one exception type of the platform and its host components. It carries a
// description in the user's language; the module's operations catch it at
// their boundary and show their own fixed text followed by Description().
class HostError : public std::runtime_error {
public:
    explicit HostError(const QString& description)
        : std::runtime_error(description.toStdString()), description_(description) {}

    const QString& Description() const noexcept { return description_; }

private:
    QString description_;
};

}  // namespace qor
