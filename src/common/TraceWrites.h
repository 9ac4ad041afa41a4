#pragma once

#include "platform/base/Vector.h"

#include <QString>
#include <QStringList>
#include <cstdint>

namespace qor {

// Hands a write of trace records ("INS", "UPT" or "DEL" with its values) to
// the host's save component, made through the object factory. *message
// receives the component's explanation; answers its result (1 written).
// Errors reach the caller.
int32_t SaveBatchTrace(const VectorPtr& request, QString* message);

// Writes an outcome sentence of a delete or save to the operation log
// (code "K810022", kind 3). Errors reach the caller.
void WriteOperationLog(const QString& text);
// The same for many outcomes at once (an import's), in a few statements.
void WriteOperationLogs(const QStringList& texts);

// The operation-log text's template after a save of a window opened for
// operKind (1 new, 2 modify) that succeeded or failed; %1 is the item name.
// Empty for other kinds.
QString SaveLogTemplate(int16_t operKind, bool saved);

}  // namespace qor
