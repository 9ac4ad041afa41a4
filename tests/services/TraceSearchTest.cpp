#include "platform/base/Convert.h"
#include "platform/base/Dictionary.h"
#include "platform/db/Migrations.h"
#include "platform/db/OpenDatabase.h"
#include "platform/host/HostProgIds.h"
#include "platform/services/TraceSearch.h"
#include "tests/services/CompanyFixture.h"
#include "tests/services/SaveClient.h"

namespace qor::test {
namespace {

using services::FindMatch;
using services::FindPath;
using services::FindRequest;
using services::FindScope;

// The keys of found rows, newest first: "5 3 1".
QString Numbers(const Recordset& rows) {
    QStringList numbers;
    for (int r = 0; r < rows.RecordCount(); ++r) numbers << rows.TextAt(0, static_cast<size_t>(r));
    return numbers.join(u' ');
}

// Items 101 and 102 carry traces (ERP class 7), item 201 is of class 1 and
// never found. Records are numbered by the order they were written: 1 is the
// oldest.
class TraceSearchTest : public CompanyFixture {
protected:
    void SetUp() override {
        CompanyFixture::SetUp();
        if (IsSkipped()) return;
        database_->ExecuteScript(QStringLiteral(
            "INSERT INTO t_ICItem (FItemID, FNumber, FShortNumber, FName, FErpClsID) VALUES "
            "(101, '01.001', '001', '泵', 7), (102, '01.002', '002', '阀', 7), (201, '09.001', '901', '螺钉', 1);"
            "INSERT INTO ICBom (FInterID, FBOMNumber, FItemID, FBomType) VALUES "
            "(301, 'KHBOM-7', 101, 3), (302, 'kh%bom', 102, 3);"
            "INSERT INTO SEOrder (FInterID, FBillNo, FDate, FCustName) VALUES "
            "(401, 'SO-100', '2024-03-01', '华东机电'), (402, 'SO-1001', '2024-03-02', '华南电器');"));
        const std::vector<std::tuple<int, QString, int, int, int>> traces{
            {101, "B2024-001", 301, 401, 2}, {101, "b2024-002", 0, 402, 1},    {102, "B2024-001", 301, 401, 1},
            {102, "A_1%'\"\\x", 0, 0, 0},    {102, "批号甲乙丙", 302, 402, 1}, {201, "B2024-009", 0, 0, 0},
        };
        for (const auto& [item, batch, bom, order, entry] : traces)
            Exec(QStringLiteral("INSERT INTO ICOrderBatchTrace (FItemID, FBatchNo, FCustBomID, FOrderInterID, "
                                "FOrderEntryID) VALUES (?, ?, ?, ?, ?)"),
                 {item, batch, bom, order, entry});
    }

    // The records found, by number, newest first: "5 3 1".
    QString Found(FindScope scope, FindMatch match, const QString& text, bool shortNumbers = false) const {
        FindRequest request;
        request.query = {scope, match, text, shortNumbers};
        return Numbers(*services::FindTraces(*database_, request).rows);
    }
};

QOR_INSTANTIATE_FOR_BACKENDS(TraceSearchTest);

struct SearchCase {
    FindScope scope;
    FindMatch match;
    const char* text;
    const char* found;
};

// Every scope and match, without letter case; wildcards, quotes, backslashes
// and NUL stand for themselves.
const SearchCase kCases[] = {
    {FindScope::Batch, FindMatch::Prefix, "b2024", "3 2 1"},
    {FindScope::Batch, FindMatch::Exact, "B2024-001", "3 1"},
    {FindScope::Batch, FindMatch::Contains, "024-00", "3 2 1"},
    {FindScope::Batch, FindMatch::Contains, "乙丙", "5"},
    {FindScope::Batch, FindMatch::Prefix, "a_1%'\"\\", "4"},
    {FindScope::Batch, FindMatch::Prefix, "a%", ""},
    {FindScope::Batch, FindMatch::Contains, "%", "4"},
    {FindScope::Order, FindMatch::Prefix, "so-100", "5 3 2 1"},
    {FindScope::Order, FindMatch::Exact, "SO-100", "3 1"},
    {FindScope::Order, FindMatch::Contains, "-1001", "5 2"},
    {FindScope::Bom, FindMatch::Prefix, "KHBOM", "3 1"},
    {FindScope::Bom, FindMatch::Contains, "%b", "5"},
    {FindScope::Item, FindMatch::Prefix, "01.002", "5 4 3"},
    {FindScope::Customer, FindMatch::Prefix, "华东", "3 1"},
    {FindScope::Customer, FindMatch::Contains, "南电", "5 2"},
};

TEST_P(TraceSearchTest, EachScopeFindsItsRecordsNewestFirst) {
    for (const SearchCase& c : kCases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Found(c.scope, c.match, QString::fromUtf8(c.text)), c.found);
    }
    EXPECT_EQ(Found(FindScope::Item, FindMatch::Prefix, "002", true), "5 4 3");
    for (const QString& nothing : {QString(), QString("B2024") + QChar(0), QString(QChar(0))})
        EXPECT_EQ(Found(FindScope::Batch, FindMatch::Contains, nothing), "");
}

// SQLite reads either every index match or the newest records first,
// whichever is cheaper: both give the same keys.
TEST_P(TraceSearchTest, BothSqlitePathsFindTheSameKeys) {
    if (GetParam() != TestBackend::Sqlite) GTEST_SKIP() << "PostgreSQL plans its own way";
    for (const SearchCase& c : kCases) {
        if (c.scope == FindScope::Batch && c.match == FindMatch::Contains) continue;
        SCOPED_TRACE(c.text);
        QStringList keys[2];
        for (const FindPath path : {FindPath::ByIndex, FindPath::ByScan}) {
            const auto statement = services::MatchingKeysStatement(
                database_->SqlDialect(), {c.scope, c.match, QString::fromUtf8(c.text)}, path, 1000, 100);
            keys[path == FindPath::ByScan] = Rows(statement.sql, statement.params).split(u'\n');
        }
        EXPECT_EQ(keys[0], keys[1]);
    }
}

// A page holds the shown rows of its keys: record 6, of an item of class 1,
// takes a key of the first page but is not shown.
TEST_P(TraceSearchTest, PagesFollowEachOtherAndTheHostAnswersThem) {
    const host::ObjectPtr getData = Create(host::progid::kGetData);
    QStringList pages;
    QVariant before = 2147483647;
    for (bool more = true; more;) {
        const DictionaryPtr page =
            getData->Call("FindTraces", {QString(), 1, 1, "B", false, before, 2, "", ""}).value<DictionaryPtr>();
        pages << Numbers(*page->GetValue("Rows", {}).value<RecordsetPtr>());
        more = page->GetValue("More", {}).toBool();
        before = page->GetValue("NextBefore", {});
    }
    EXPECT_EQ(pages, QStringList({"3", "2 1"}));
}

// The text index follows the save component's writes (a ban that follows is
// shown by the find window's test).
TEST_P(TraceSearchTest, FoundRowsFollowASaveADeleteAndABan) {
    GrantTraceRights(kNew | kModify | kBan | kDelete);
    const host::ObjectPtr save = Create(host::progid::kSaveData);
    EXPECT_EQ(SaveTrace(*save, kUserId, "INS", 0, SaveFields{{"FItemID", 101}, {"FBatchNo", "NEU-778899"}}).code, 1);
    EXPECT_EQ(Found(FindScope::Batch, FindMatch::Contains, "778899"), "7");
    EXPECT_EQ(SaveTrace(*save, kUserId, "UPT", 7, SaveFields{{"FBatchNo", "NEU-665544"}}).code, 1);
    EXPECT_EQ(Found(FindScope::Batch, FindMatch::Contains, "778899"), "");
    EXPECT_EQ(Found(FindScope::Batch, FindMatch::Contains, "665544"), "7");
    EXPECT_EQ(SaveTrace(*save, kUserId, "DEL", 7, std::nullopt).code, 1);
    EXPECT_EQ(Found(FindScope::Batch, FindMatch::Contains, "665544"), "");
}

// A company written before the search indexes takes them on at its next
// opening for writing, nothing lost; read-only it is searched as it stands.
class TraceSearchMigration : public ::testing::TestWithParam<TestBackend> {};
QOR_INSTANTIATE_FOR_BACKENDS(TraceSearchMigration);

TEST_P(TraceSearchMigration, AnOlderCompanyIsSearchedAndTakesOnTheIndexes) {
    QOR_SKIP_UNAVAILABLE(GetParam());
    const ScratchCompany place(GetParam());
    {
        const db::DatabasePtr old = place.Connect();
        db::MigrateDatabase(*old, {db::CompanyMigrations().front()});
        old->ExecuteScript(
            "INSERT INTO t_ICItem (FItemID, FNumber, FName, FErpClsID) VALUES (101, '01.001', '泵', 7);"
            "INSERT INTO ICOrderBatchTrace (FItemID, FBatchNo) VALUES (101, 'OLD-4711'), (101, 'OLD-4712');");
    }
    FindRequest request;
    request.query = {FindScope::Batch, FindMatch::Contains, "4712"};
    const auto readOnly = db::OpenDatabase(place.ConnectionText(), db::OpenMode::ReadOnly);
    EXPECT_EQ(db::SchemaVersion(*readOnly), 1);
    EXPECT_EQ(Numbers(*services::FindTraces(*readOnly, request).rows), "2");

    const auto upgraded = db::OpenDatabase(place.ConnectionText(), db::OpenMode::Existing);
    EXPECT_EQ(Numbers(*services::FindTraces(*upgraded, request).rows), "2");
    request.query.text = "old-47";
    EXPECT_EQ(Numbers(*services::FindTraces(*upgraded, request).rows), "2 1");
}

}  // namespace
}  // namespace qor::test
