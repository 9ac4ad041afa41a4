#pragma once

#include "platform/base/Recordset.h"

#include <QString>

namespace qor {

// Runs a SELECT through the host's GetData component (created through
// ObjectFactory) with the host property string. Errors reach the caller.
RecordsetPtr ExecSQL(const QString& sql);

// Runs a SELECT through the host's ClassInfo component. An empty props takes
// the shared property string. Answers null for a blank statement and on any
// failure; with showError the failure is first shown in a plain box holding
// the error's description and the statement.
RecordsetPtr OpenClassRecordset(const QString& sql, const QString& props, bool showError);

}  // namespace qor
