#pragma once

#include <QString>

namespace qor::services {

// A clear Chinese message for a failure (errno value) to write path.
QString FileFailure(const QString& path, int error);

}  // namespace qor::services
