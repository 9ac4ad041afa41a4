#pragma once

#include "platform/db/Database.h"

#include <QStringList>

namespace qor::test {

// The first value the statement answers; null when it answers no row.
inline QVariant Scalar(db::Database& db, const QString& sql, const QVariantList& params = {}) {
    const RecordsetPtr rs = db.Query(sql, params);
    return rs->Eof() ? QVariant() : rs->Fields(0).Value();
}

// Each row of the recordset, from its current one, as its texts joined by "|".
inline QStringList Rows(Recordset& rs) {
    QStringList rows;
    for (; !rs.Eof(); rs.MoveNext()) {
        QStringList cells;
        for (int i = 0; i < rs.FieldCount(); ++i) cells << rs.Fields(i).Text();
        rows << cells.join(u'|');
    }
    return rows;
}

// Each row the statement answers, for comparing what a table holds before
// and after a call.
inline QStringList Rows(db::Database& db, const QString& sql, const QVariantList& params = {}) {
    return Rows(*db.Query(sql, params));
}

}  // namespace qor::test
