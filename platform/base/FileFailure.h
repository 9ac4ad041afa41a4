#pragma once

#include <QString>

namespace qor {

// A clear Chinese message for a failure (errno value) to write path, or to
// read it: the system's own texts are English.
QString FileFailure(const QString& path, int error);
QString FileReadFailure(const QString& path, int error);

}  // namespace qor
