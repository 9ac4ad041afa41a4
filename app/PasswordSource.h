#pragma once

#include "app/CommandLine.h"

#include <QString>
#include <optional>

namespace qor::app {

// The password of a command run without a window when --password was not
// given, so that it need not stand on the command line for every user of the
// machine to see: read from --password-file (a file only its owner may read),
// else from the environment variable QOR_PASSWORD, else asked for on the
// terminal without echo. Nothing, with the reason in *error, when none of
// them gives one.
std::optional<QString> HeadlessPassword(const ShellOptions& options, QString* error);

}  // namespace qor::app
