#pragma once

#include "app/CommandLine.h"

#include <QString>
#include <optional>

namespace qor::app {

// Why the command's output file (export and print --out, import --report)
// may not be written, or nothing when it may. An existing output, its link
// followed, must be a regular file: a device, a pipe or a folder would be
// replaced or would block. And it must not be a file the command reads or
// keeps: the company with its journal, the imported file, the trace file or
// the password file.
std::optional<QString> OutputRefusal(const ShellOptions& options);

}  // namespace qor::app
