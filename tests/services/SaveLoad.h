#pragma once

#include "tests/services/SaveClient.h"

#include <deque>
#include <functional>
#include <map>
#include <random>
#include <thread>
#include <vector>

// The eight desktops saving at once of the load test and its benchmark.
namespace qor::test {

constexpr int kClients = 8;
constexpr int kSavesPerClient = 1000;
// Few enough batch numbers that the clients keep running into each other's
// item and batch.
constexpr int kBatchNumbers = 40;
constexpr int kItemsUsed = 4;

inline const QString kDuplicate = QStringLiteral("同一物料的同一批号只能有一条记录");

struct Item {
    int id;
    QString number;
};

struct Record {
    int itemId;
    QString batchNo;
    bool forbid;
    bool operator==(const Record&) const = default;
};

// What one client did and what it was told.
struct Tally {
    std::map<int, Record> records;  // the records it made and still holds, by key
    int duplicates = 0;
    int deleted = 0;
    QStringList unanswered;  // refusals without a message, and errors
};

inline QString BatchNumber(std::mt19937& random) {
    return QStringLiteral("LB%1").arg(static_cast<int>(random() % kBatchNumbers), 3, 10, QLatin1Char('0'));
}

// Mixed saves: new records, batch changes, bans and unbans, deletes. A client
// changes and deletes only the records it made, so that its tally says what
// the table must hold; its new records and batch changes compete with all the
// others' for the same items and batches.
inline void RunClient(SaveClient& client, const std::vector<Item>& items, unsigned seed, Tally& tally) {
    std::mt19937 random(seed);
    for (int n = 0; n < kSavesPerClient; ++n) {
        const int choice = static_cast<int>(random() % 100);
        const Item& item = items[random() % items.size()];
        auto mine = tally.records.begin();
        if (!tally.records.empty()) std::advance(mine, static_cast<long>(random() % tally.records.size()));
        SaveAnswer answer;
        if (tally.records.empty() || choice < 40) {
            const QString batch = BatchNumber(random);
            answer = client.SaveWhole(item.id, batch);
            if (answer.code == 1) tally.records[client.TraceIdOf(item.id, batch)] = {item.id, batch, false};
        } else if (choice < 60) {
            const QString batch = BatchNumber(random);
            answer = client.ChangeBatch(mine->first, batch);
            if (answer.code == 1) mine->second.batchNo = batch;
        } else if (choice < 80) {
            Record& record = mine->second;
            answer = client.SaveWhole(record.itemId, record.batchNo, mine->first, !record.forbid);
            if (answer.code == 1) record.forbid = !record.forbid;
        } else {
            const auto number =
                std::find_if(items.begin(), items.end(), [&](const Item& i) { return i.id == mine->second.itemId; });
            answer = client.Delete(mine->first, number->number);
            if (answer.code == 1) {
                tally.records.erase(mine);
                ++tally.deleted;
            }
        }
        if (answer.code == 0 && answer.message.contains(kDuplicate)) ++tally.duplicates;
        if (answer.code != 1 && (answer.code != 0 || answer.message.isEmpty()))
            tally.unanswered.append(QStringLiteral("%1: %2").arg(answer.code).arg(answer.message));
    }
}

// The made-to-order items the desktops use.
inline std::vector<Item> ItemsUsed(db::Database& database) {
    std::vector<Item> items;
    for (RecordsetPtr rs = database.Query(
             QStringLiteral("SELECT FItemID, FNumber FROM t_ICItem WHERE FErpClsID = 7 ORDER BY FItemID LIMIT %1")
                 .arg(kItemsUsed));
         !rs->Eof(); rs->MoveNext())
        items.push_back({rs->Fields(0).Value().toInt(), rs->Fields(1).Text()});
    return items;
}

// Each client saving on a thread of its own, all at once; what each was told.
inline std::vector<Tally> RunDesktops(std::deque<SaveClient>& clients, const std::vector<Item>& items) {
    std::vector<Tally> tallies(clients.size());
    std::vector<std::thread> threads;
    for (size_t c = 0; c < clients.size(); ++c)
        threads.emplace_back(RunClient, std::ref(clients[c]), std::cref(items), static_cast<unsigned>(7919 * (c + 1)),
                             std::ref(tallies[c]));
    for (std::thread& thread : threads) thread.join();
    return tallies;
}

}  // namespace qor::test
