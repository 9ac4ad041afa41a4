#pragma once

#include <QString>
#include <QStringList>

namespace qor::services {

// Writes one exported list to a file: its title, the column captions, then
// the rows, each a list of cell texts. Errors are thrown as HostError.
class SheetWriter {
public:
    virtual ~SheetWriter() = default;
    virtual void Begin(const QString& title, const QStringList& captions) = 0;
    virtual void AddRow(const QStringList& cells) = 0;
    // Completes the file. A writer destroyed without Finish leaves an
    // unfinished file that the caller removes.
    virtual void Finish() = 0;
};

}  // namespace qor::services
