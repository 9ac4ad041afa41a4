#pragma once

#include <QString>
#include <optional>

namespace qor {

// Files the program reads or keeps and that no output may replace: the
// company with its journal files, the trace file, a file being imported.
// They are noted by the folder they are in and their name, so that one not
// written yet (a journal, a new trace file) is known too.
void KeepFile(const QString& path, const QString& what);

// Why an output may not be written at path, or nothing when it may. Links
// are followed, also one that points at nothing yet. An existing output
// must be a regular file, not a device, a pipe or a folder.
std::optional<QString> OutputRefusal(const QString& path);

}  // namespace qor
