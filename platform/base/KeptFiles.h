#pragma once

#include <QString>
#include <optional>

namespace qor {

// Files the program reads or keeps and that no output may replace: the
// company with its journal files, the trace file, a file being imported.
// They are noted by where their name leads (the real folder and the name),
// so that one not written yet (a journal, a new trace file) is known too.
void KeepFile(const QString& path, const QString& what);

// How an output is written: under a temporary name moved over path when
// complete (an export, a PDF), or into path as it is (a report, a trace),
// which may then also be a terminal, /dev/null or a pipe that is read.
enum class OutputUse { Replaced, WrittenInPlace };

// Why an output may not be written at path, or nothing when it may. Links
// are followed, also one that points at nothing yet.
std::optional<QString> OutputRefusal(const QString& path, OutputUse use = OutputUse::Replaced);

}  // namespace qor
