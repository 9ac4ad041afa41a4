#include "platform/services/SqlConditions.h"

namespace qor::services {

QString WhereClause(const QStringList& conditions) {
    QStringList used;
    for (const QString& condition : conditions)
        if (!condition.trimmed().isEmpty()) used.append(u'(' + condition.trimmed() + u')');
    return used.isEmpty() ? QString() : QStringLiteral(" WHERE ") + used.join(QStringLiteral(" AND "));
}

}  // namespace qor::services
