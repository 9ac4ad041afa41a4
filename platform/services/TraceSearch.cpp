#include "platform/services/TraceSearch.h"

#include "platform/base/Convert.h"

namespace qor::services {

namespace {

FindPath ChoosePath(db::Database& database, const FindRequest& request) {
    if (database.SqlDialect().Kind() == db::BackendKind::PostgreSql) return FindPath::Planned;
    // A company file of an older version, read as it stands, has no search indexes.
    if (!database.TableExists(QStringLiteral("ICOrderBatchTraceText"))) return FindPath::ByScan;
    const FindQuery& query = request.query;
    if (query.scope == FindScope::Batch && query.match == FindMatch::Contains)
        return query.text.toUcs4().size() >= 3 ? FindPath::ByText : FindPath::ByScan;
    const BoundStatement count =
        IndexMatchCountStatement(database.SqlDialect(), query, request.before, kScanFromMatches);
    const RecordsetPtr counted = database.Query(count.sql, count.params);
    return ToInt32(counted->Fields(0).Value()) < kScanFromMatches ? FindPath::ByIndex : FindPath::ByScan;
}

}  // namespace

FoundPage FindTraces(db::Database& database, const FindRequest& request) {
    QVariantList keys;
    FoundPage page;
    const QString& text = request.query.text;
    if (!text.isEmpty() && !text.contains(QChar(u'\0')) && request.limit > 0) {
        FindRequest bounded = request;
        bounded.before = std::min<qint64>(request.before, std::numeric_limits<int32_t>::max());
        const BoundStatement statement = MatchingKeysStatement(
            database.SqlDialect(), bounded.query, ChoosePath(database, bounded), bounded.before, bounded.limit + 1);
        const RecordsetPtr found = database.Query(statement.sql, statement.params);
        for (int k = 0; k < found->RecordCount() && k < request.limit; ++k)
            keys << found->ValueAt(0, static_cast<size_t>(k)).toLongLong();
        page.more = found->RecordCount() > request.limit;
        if (!keys.isEmpty()) page.nextBefore = keys.last().toLongLong();
    }
    page.rows = database.Query(FoundRowsSql(request.query.useShortNumber, static_cast<int>(keys.size()),
                                            request.rightsJoin, request.rightsCondition),
                               keys);
    return page;
}

}  // namespace qor::services
