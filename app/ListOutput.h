#pragma once

#include "app/CommandLine.h"

#include <QVariantList>
#include <optional>

namespace qor::app {

// For the commands that write, export or print the list without a window:
// logs the user in, creates the module's list output
// ("QOROrderBatchTrace.CBatchTraceOutput") by its ProgID and calls member
// with arguments. Answers the member's result, or nullopt after telling the
// user why, with the exit code in *exitCode. A result of -1 means the module
// has told the user already.
std::optional<int> CallListOutput(const ShellOptions& options, const QString& member, const QVariantList& arguments,
                                  int* exitCode);

// The arguments of the list members: the item number (empty for --all),
// argument, and whether CSV cells stay raw.
QVariantList ListArguments(const ShellOptions& options, const QString& argument);

}  // namespace qor::app
