#pragma once

#include "platform/base/Recordset.h"

#include <QString>
#include <QVariantList>

namespace qor {

// Runs a SELECT through the host's GetData component (created through
// ObjectFactory) with the host property string. Errors reach the caller.
RecordsetPtr ExecSQL(const QString& sql);

// ExecSQL of a statement whose ? marks take values, in order: the values
// are bound, never spliced into the text.
RecordsetPtr ExecBoundSQL(const QString& sql, const QVariantList& values);

// Runs a SELECT through the host's ClassInfo component. An empty props takes
// the shared property string. Answers null for a blank statement and on any
// failure; with showError the failure is first shown in a plain box holding
// the error's description and the statement.
RecordsetPtr OpenClassRecordset(const QString& sql, const QString& props, bool showError);

}  // namespace qor
