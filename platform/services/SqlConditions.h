#pragma once

#include <QStringList>

namespace qor::services {

// " WHERE (a) AND (b)" of the conditions that are not blank, "" when all are.
// The conditions are SQL text from the module (a picker's filter), never a
// user's typing, which is bound as a parameter.
QString WhereClause(const QStringList& conditions);

}  // namespace qor::services
