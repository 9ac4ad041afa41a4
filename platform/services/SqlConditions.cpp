#include "platform/services/SqlConditions.h"

namespace qor::services {

QString WhereClause(const QStringList& conditions) {
    QStringList used;
    for (const QString& condition : conditions)
        if (!condition.trimmed().isEmpty()) used.append(u'(' + condition.trimmed() + u')');
    return used.isEmpty() ? QString() : QStringLiteral(" WHERE ") + used.join(QStringLiteral(" AND "));
}

QString ParameterMarks(qsizetype count) {
    QStringList marks;
    marks.reserve(count);
    for (qsizetype k = 0; k < count; ++k) marks << QStringLiteral("?");
    return marks.join(u',');
}

QString InMarks(qsizetype count) {
    return QStringLiteral(" IN (") + (count > 0 ? ParameterMarks(count) : QStringLiteral("NULL")) + u')';
}

}  // namespace qor::services
