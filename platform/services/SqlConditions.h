#pragma once

#include <QStringList>

namespace qor::services {

// " WHERE (a) AND (b)" of the conditions that are not blank, "" when all are.
// The conditions are SQL text from the module (a picker's filter), never a
// user's typing, which is bound as a parameter.
QString WhereClause(const QStringList& conditions);

// "?,?,?": count parameter marks for a list of bound values.
QString ParameterMarks(qsizetype count);

// " IN (?,?,?)" for count bound values, " IN (NULL)" (true for no row) for none.
QString InMarks(qsizetype count);

}  // namespace qor::services
