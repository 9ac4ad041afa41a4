#include "platform/services/TraceSearchSql.h"

#include <QStringList>
#include <limits>

namespace qor::services {

namespace {

using db::BackendKind;
using db::Dialect;

// Where the searched code lives: the trace table itself for batches, else a
// master table whose key the trace record holds.
struct CodeSource {
    QString table;      // empty: the trace table
    QString column;     // the code's column
    QString key;        // the master table's key
    QString reference;  // the trace table's column holding that key
    QString index;      // SQLite's index on the lower-cased code
};

CodeSource SourceOf(const FindQuery& query) {
    switch (query.scope) {
        case FindScope::Order:
            return {QStringLiteral("SEOrder"), QStringLiteral("FBillNo"), QStringLiteral("FInterID"),
                    QStringLiteral("FOrderInterID"), QStringLiteral("ix_SEOrder_BillNoLower")};
        case FindScope::Customer:
            return {QStringLiteral("SEOrder"), QStringLiteral("FCustName"), QStringLiteral("FInterID"),
                    QStringLiteral("FOrderInterID"), QStringLiteral("ix_SEOrder_CustNameLower")};
        case FindScope::Bom:
            return {QStringLiteral("ICBom"), QStringLiteral("FBOMNumber"), QStringLiteral("FInterID"),
                    QStringLiteral("FCustBomID"), QStringLiteral("ix_ICBom_NumberLower")};
        case FindScope::Item:
            if (query.useShortNumber)
                return {QStringLiteral("t_ICItem"), QStringLiteral("FShortNumber"), QStringLiteral("FItemID"),
                        QStringLiteral("FItemID"), QStringLiteral("ix_t_ICItem_ShortNumberLower")};
            return {QStringLiteral("t_ICItem"), QStringLiteral("FNumber"), QStringLiteral("FItemID"),
                    QStringLiteral("FItemID"), QStringLiteral("ix_t_ICItem_NumberLower")};
        case FindScope::Batch:
            break;
    }
    return {QString(), QStringLiteral("FBatchNo"), QString(), QString(),
            QStringLiteral("ix_ICOrderBatchTrace_BatchLower")};
}

// The condition on the code column (qualified), with its values appended to
// params. Exact and prefix compare the lower-cased code as the indexes hold
// it; a prefix runs up to the highest code point after it.
QString CodeCondition(const Dialect& dialect, const FindQuery& query, const QString& column, QVariantList& params) {
    const bool postgres = dialect.Kind() == BackendKind::PostgreSql;
    const QString lowered =
        postgres ? QStringLiteral("lower(%1) COLLATE \"C\"").arg(column) : QStringLiteral("lower(%1)").arg(column);
    switch (query.match) {
        case FindMatch::Exact:
            params << query.text;
            return lowered + QStringLiteral(" = lower(?)");
        case FindMatch::Prefix:
            params << query.text << query.text;
            return QStringLiteral("%1 >= lower(?) AND %1 < (lower(?) || %2(1114111))")
                .arg(lowered, postgres ? QStringLiteral("chr") : QStringLiteral("char"));
        case FindMatch::Contains:
            break;
    }
    if (postgres && query.scope == FindScope::Batch) {
        params << ContainsPattern(query.text);
        return column + QStringLiteral(" ILIKE ?");
    }
    params << query.text;
    return QStringLiteral("%1(lower(%2), lower(?)) > 0")
        .arg(postgres ? QStringLiteral("strpos") : QStringLiteral("instr"), column);
}

BoundStatement KeysStatement(const Dialect& dialect, const FindQuery& query, FindPath path, qint64 before, int limit,
                             bool ordered) {
    const CodeSource source = SourceOf(query);
    // Keys older than the bound one, newest first when ordered, as many as the
    // bound limit when there is one.
    const bool limited = limit >= 0;
    const auto older = [ordered, limited](const QString& key) {
        return QStringLiteral(" AND %1 < ?").arg(key) +
               (ordered ? QStringLiteral(" ORDER BY %1 DESC").arg(key) : QString()) +
               (limited ? QStringLiteral(" LIMIT ?") : QString());
    };
    BoundStatement statement;
    QVariantList& params = statement.params;
    if (path == FindPath::ByText) {
        params << TextIndexPhrase(query.text);
        statement.sql = QStringLiteral(
                            "SELECT rowid AS FTraceID FROM ICOrderBatchTraceText "
                            "WHERE ICOrderBatchTraceText MATCH ?") +
                        older(QStringLiteral("rowid"));
    } else if (source.table.isEmpty()) {
        const QString hint = path == FindPath::ByIndex  ? QStringLiteral(" INDEXED BY ") + source.index
                             : path == FindPath::ByScan ? QStringLiteral(" NOT INDEXED")
                                                        : QString();
        statement.sql = QStringLiteral("SELECT v.FTraceID FROM ICOrderBatchTrace v%1 WHERE %2")
                            .arg(hint, CodeCondition(dialect, query, QStringLiteral("v.FBatchNo"), params)) +
                        older(QStringLiteral("v.FTraceID"));
    } else if (path == FindPath::ByIndex) {
        // The master rows first (CROSS JOIN keeps that order on SQLite), then
        // their trace records through the reference's index.
        const QString condition = CodeCondition(dialect, query, QStringLiteral("m.") + source.column, params);
        statement.sql =
            QStringLiteral("SELECT v.FTraceID FROM %1 m CROSS JOIN ICOrderBatchTrace v WHERE %2 AND v.%3 = m.%4")
                .arg(source.table, condition, source.reference, source.key) +
            older(QStringLiteral("v.FTraceID"));
    } else {
        const QString condition = CodeCondition(dialect, query, QStringLiteral("m.") + source.column, params);
        statement.sql = QStringLiteral(
                            "SELECT v.FTraceID FROM ICOrderBatchTrace v%1 WHERE v.%2 IN "
                            "(SELECT m.%3 FROM %4 m WHERE %5)")
                            .arg(path == FindPath::ByScan ? QStringLiteral(" NOT INDEXED") : QString(),
                                 source.reference, source.key, source.table, condition) +
                        older(QStringLiteral("v.FTraceID"));
    }
    params << before;
    if (limited) params << limit;
    return statement;
}

}  // namespace

BoundStatement MatchingKeysStatement(const Dialect& dialect, const FindQuery& query, FindPath path, qint64 before,
                                     int limit) {
    return KeysStatement(dialect, query, path, before, limit, true);
}

BoundStatement AllMatchingKeysStatement(const Dialect& dialect, const FindQuery& query, FindPath path) {
    return KeysStatement(dialect, query, path, std::numeric_limits<int32_t>::max(), -1, false);
}

BoundStatement IndexMatchCountStatement(const Dialect& dialect, const FindQuery& query, qint64 before, int cap) {
    // The count needs no order: the keys as the index gives them, up to cap.
    BoundStatement keys = KeysStatement(dialect, query, FindPath::ByIndex, before, cap, false);
    keys.sql = QStringLiteral("SELECT COUNT(*) AS FCount FROM (") + keys.sql + QStringLiteral(") c");
    return keys;
}

QString FoundRowsSql(bool useShortNumber, const QString& keys, const QString& rightsJoin,
                     const QString& rightsCondition) {
    QString sql = QStringLiteral(
                      "SELECT v1.FTraceID, v1.FItemID, t1.%1 AS FItemNumber, t1.FName AS FItemName, t1.FModel,\n"
                      "  COALESCE(v2.FBillNo, '') AS FOrderBillNo,\n"
                      "  CASE WHEN v2.FInterID IS NULL THEN 0 ELSE v1.FOrderEntryID END AS FOrderEntryID,\n"
                      "  COALESCE(v2.FCustName, '') AS FCustName, COALESCE(t2.FBOMNumber, '') AS FCustBomNo,\n"
                      "  v1.FBatchNo, v1.FForbid\n"
                      "FROM ICOrderBatchTrace v1 CROSS JOIN t_ICItem t1\n"
                      "  LEFT JOIN SEOrder v2 ON v1.FOrderInterID = v2.FInterID\n"
                      "  LEFT JOIN ICBom t2 ON v1.FCustBomID = t2.FInterID\n")
                      .arg(useShortNumber ? QStringLiteral("FShortNumber") : QStringLiteral("FNumber"));
    if (!rightsJoin.isEmpty()) sql += rightsJoin + u'\n';
    // The keys drive the statement (CROSS JOIN keeps SQLite from starting at
    // the item class's 70,000 items).
    sql += QStringLiteral("WHERE v1.FItemID = t1.FItemID AND t1.FErpClsID = 7 AND ");
    sql += keys.isEmpty() ? QStringLiteral("1 = 0") : QStringLiteral("v1.FTraceID IN (%1)").arg(keys);
    if (!rightsCondition.isEmpty()) sql += QStringLiteral(" AND (") + rightsCondition + u')';
    sql += QStringLiteral("\nORDER BY v1.FTraceID DESC");
    return sql;
}

QString TextIndexPhrase(const QString& text) {
    QString phrase = text;
    phrase.replace(u'"', QStringLiteral("\"\""));
    return u'"' + phrase + u'"';
}

QString ContainsPattern(const QString& text) {
    QString pattern;
    pattern.reserve(text.size() + 8);
    pattern += u'%';
    for (const QChar c : text) {
        if (c == u'\\' || c == u'%' || c == u'_') pattern += u'\\';
        pattern += c;
    }
    pattern += u'%';
    return pattern;
}

}  // namespace qor::services
