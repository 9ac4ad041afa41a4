#pragma once

#include "platform/host/ComponentFactory.h"

#include <QFile>
#include <QJsonValue>

namespace qor::app {

// Writes one JSON object per line for every call into a host component:
// {"component", "member", "args", "result"} (plus "put": true for property
// writes and "error" for failed calls). A message box's Show line also
// carries the title and text that were set on it.
class TraceWriter : public host::CallObserver {
public:
    // Opens the file, new or an earlier trace file (which it replaces).
    // Throws HostError, touching nothing, for any other existing file (a
    // company database above all) and when the file cannot be written.
    explicit TraceWriter(const QString& path);

    void OnCall(const QString& progId, const QString& member, host::CallKind kind, const QVariantList& args,
                const QVariant& result, const QString& error) override;

    static QJsonValue ToJson(const QVariant& value);

private:
    QFile file_;
    QString pendingTitle_;
    QString pendingText_;
};

}  // namespace qor::app
