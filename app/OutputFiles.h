#pragma once

#include "app/CommandLine.h"

#include <QString>
#include <optional>

namespace qor::app {

// Notes the files the command reads or keeps (the company with its journal,
// the imported file, the trace file, the password file) as files no output
// may replace, and answers why the trace file or the command's output
// (export and print --out, import --report) may not be written, or nothing
// when they may.
std::optional<QString> CommandOutputRefusal(const ShellOptions& options);

}  // namespace qor::app
