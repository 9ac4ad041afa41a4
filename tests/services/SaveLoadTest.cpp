#include "tests/services/SaveLoad.h"

#include "platform/db/DemoCompany.h"
#include "tests/support/QueryResults.h"
#include "tests/support/ScratchCompany.h"

#include <gmock/gmock.h>
#include <deque>
#include <map>

namespace qor::test {
namespace {

class SaveLoadTest : public ::testing::TestWithParam<TestBackend> {};

QOR_INSTANTIATE_FOR_BACKENDS(SaveLoadTest);

TEST_P(SaveLoadTest, EightDesktopsSavingAtOnceLoseNothingAndShareNoItemAndBatch) {
    QOR_SKIP_UNAVAILABLE(GetParam());
    const ScratchCompany place(GetParam());
    const db::DatabasePtr database = place.Create();
    db::CreateDemoCompany(*database, {.traces = 0, .items = 10, .groups = 3});
    const std::vector<Item> items = ItemsUsed(*database);
    ASSERT_EQ(static_cast<int>(items.size()), kItemsUsed);
    const int administrator =
        Scalar(*database, QStringLiteral("SELECT FUserID FROM t_User WHERE FName = 'administrator'")).toInt();

    // Each desktop logs in as the user does: on a server, as the user's own login role.
    const db::ServerLogin login =
        GetParam() == TestBackend::PostgreSql
            ? db::ServerLogin{db::CompanyRole(place.ConnectionText(), "administrator"), "demo"}
            : db::ServerLogin{};
    std::deque<SaveClient> clients;
    for (int c = 0; c < kClients; ++c)
        clients.emplace_back(place.UserConnectionText(), administrator, QStringLiteral("WS-%1").arg(c + 1), login);
    const std::vector<Tally> tallies = RunDesktops(clients, items);

    std::map<int, Record> expected;
    int deleted = 0;
    int duplicates = 0;
    for (const Tally& tally : tallies) {
        EXPECT_TRUE(tally.unanswered.isEmpty()) << tally.unanswered.join(u'\n').toStdString();
        expected.insert(tally.records.begin(), tally.records.end());
        deleted += tally.deleted;
        duplicates += tally.duplicates;
    }
    EXPECT_GT(duplicates, 0) << "the clients never competed for an item and batch";
    EXPECT_GT(deleted, 0);

    std::map<int, Record> stored;
    for (RecordsetPtr rs = database->Query(
             QStringLiteral("SELECT FTraceID, FItemID, FBatchNo, FForbid FROM ICOrderBatchTrace ORDER BY FTraceID"));
         !rs->Eof(); rs->MoveNext())
        stored[rs->Fields(0).Value().toInt()] = {rs->Fields(1).Value().toInt(), rs->Fields(2).Text(),
                                                 rs->Fields(3).Value().toInt() != 0};
    EXPECT_TRUE(stored == expected) << "the table differs from what the clients were told was saved";
    EXPECT_EQ(Scalar(*database, QStringLiteral("SELECT COUNT(*) FROM (SELECT FItemID, FBatchNo FROM "
                                               "ICOrderBatchTrace GROUP BY FItemID, FBatchNo HAVING COUNT(*) > 1) d"))
                  .toInt(),
              0);
    EXPECT_EQ(Scalar(*database, QStringLiteral("SELECT COUNT(*) FROM t_Log WHERE FCode = 'K810022'")).toInt(), deleted);
}

}  // namespace
}  // namespace qor::test
