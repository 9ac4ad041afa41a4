#include "platform/services/TraceSearch.h"

#include "platform/base/Convert.h"
#include "platform/services/SqlConditions.h"

namespace qor::services {

namespace {

FindPath ChoosePath(db::Database& database, const FindRequest& request) {
    if (database.SqlDialect().Kind() == db::BackendKind::PostgreSql) return FindPath::Planned;
    // A company file of an older version, read as it stands, has no search indexes.
    if (!database.TableExists(QStringLiteral("ICOrderBatchTraceText"))) return FindPath::ByScan;
    const FindQuery& query = request.query;
    if (query.scope == FindScope::Batch && query.match == FindMatch::Contains)
        return query.text.toUcs4().size() >= 3 ? FindPath::ByText : FindPath::ByScan;
    // Equal codes sit in their index in key order: the newest come first
    // without sorting. Every match is read from the index anyway.
    if (query.match == FindMatch::Exact || request.limit <= 0) return FindPath::ByIndex;
    const BoundStatement count =
        IndexMatchCountStatement(database.SqlDialect(), query, request.before, kScanFromMatches);
    const RecordsetPtr counted = database.Query(count.sql, count.params);
    return ToInt32(counted->Fields(0).Value()) < kScanFromMatches ? FindPath::ByIndex : FindPath::ByScan;
}

}  // namespace

FoundPage FindTraces(db::Database& database, const FindRequest& request) {
    FoundPage page;
    const QString& text = request.query.text;
    const auto rows = [&](const QString& keys, const QVariantList& params) {
        return database.Query(
            FoundRowsSql(request.query.useShortNumber, keys, request.rightsJoin, request.rightsCondition), params);
    };
    if (text.isEmpty() || text.contains(QChar(u'\0'))) {
        page.rows = rows(QString(), {});
        return page;
    }
    FindRequest bounded = request;
    bounded.before = std::min<qint64>(request.before, std::numeric_limits<int32_t>::max());
    const FindPath path = ChoosePath(database, bounded);
    if (request.limit <= 0) {
        // Every match in one statement, as a report wants them.
        const BoundStatement all = AllMatchingKeysStatement(database.SqlDialect(), request.query, path);
        page.rows = rows(all.sql, all.params);
        return page;
    }
    const BoundStatement statement =
        MatchingKeysStatement(database.SqlDialect(), request.query, path, bounded.before, request.limit + 1);
    const RecordsetPtr found = database.Query(statement.sql, statement.params);
    QVariantList keys;
    for (int k = 0; k < found->RecordCount() && k < request.limit; ++k)
        keys << found->ValueAt(0, static_cast<size_t>(k)).toLongLong();
    page.more = found->RecordCount() > request.limit;
    if (!keys.isEmpty()) page.nextBefore = keys.last().toLongLong();
    page.rows = rows(keys.isEmpty() ? QString() : ParameterMarks(keys.size()), keys);
    return page;
}

}  // namespace qor::services
