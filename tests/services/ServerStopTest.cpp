#include "tests/services/SaveClient.h"

#include "platform/db/DemoCompany.h"
#include "platform/db/OpenDatabase.h"
#include "tests/support/QueryResults.h"
#include "tests/support/TestBackend.h"
#include "tests/support/TestCluster.h"

#include <gtest/gtest.h>
#include <QSet>
#include <atomic>
#include <chrono>
#include <deque>
#include <mutex>
#include <thread>

namespace qor::test {
namespace {

using namespace std::chrono_literals;

constexpr int kClients = 4;
constexpr auto kPhaseDeadline = 60s;
constexpr auto kPauseAfterFailure = 20ms;

enum class Phase { Running, Stopped, Restarted };

// The inserts one client tried, by batch number, and what it was told.
struct ClientLog {
    std::mutex lock;
    QSet<QString> saved;
    QSet<QString> refused;
    QSet<QString> unknown;  // threw: cut off while committing, so either way
    QStringList messages;   // every message of a save that did not succeed
    std::atomic<int> savedCount{0};
    std::atomic<int> savedAfterRestart{0};
    std::atomic<int> failedWhileStopped{0};
};

void RunClient(SaveClient& client, int itemId, int number, const std::atomic<Phase>& phase,
               const std::atomic<bool>& done, ClientLog& log) {
    for (int n = 0; !done; ++n) {
        const QString batch = QStringLiteral("S%1-%2").arg(number).arg(n, 5, 10, QLatin1Char('0'));
        const Phase during = phase;
        const SaveAnswer answer = client.SaveWhole(itemId, batch);
        std::lock_guard guard(log.lock);
        if (answer.code == 1) {
            log.saved.insert(batch);
            ++log.savedCount;
            if (during == Phase::Restarted) ++log.savedAfterRestart;
            continue;
        }
        (answer.code == 0 ? log.refused : log.unknown).insert(batch);
        log.messages.append(answer.message);
        if (phase == Phase::Stopped) ++log.failedWhileStopped;
        std::this_thread::sleep_for(kPauseAfterFailure);
    }
}

// Waits until the counter of every client reaches n; false when the phase
// runs out of time first.
bool WaitForEvery(std::deque<ClientLog>& logs, std::atomic<int> ClientLog::*counter, int n) {
    const auto deadline = std::chrono::steady_clock::now() + kPhaseDeadline;
    while (!std::all_of(logs.begin(), logs.end(), [&](const ClientLog& log) { return log.*counter >= n; })) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

// The server is stopped while four desktops save and started again: each
// desktop is told why its saves fail, none of them needs a restart to go on,
// and no refused save left a record behind. The test has a cluster of its own
// so that stopping it disturbs no other test.
TEST(ServerStopTest, DesktopsAreToldAndGoOnWhenTheServerIsBack) {
    QOR_SKIP_UNAVAILABLE(TestBackend::PostgreSql);
    TestCluster cluster;
    cluster.Start();
    int itemId = 0;
    int administrator = 0;
    {
        const db::DatabasePtr company = db::OpenDatabase(cluster.Url(), db::OpenMode::Create);
        db::CreateDemoCompany(*company, {.traces = 0, .items = 10, .groups = 3});
        itemId = Scalar(*company, QStringLiteral("SELECT MIN(FItemID) FROM t_ICItem WHERE FErpClsID = 7")).toInt();
        administrator =
            Scalar(*company, QStringLiteral("SELECT FUserID FROM t_User WHERE FName = 'administrator'")).toInt();
    }

    std::deque<SaveClient> clients;
    for (int c = 0; c < kClients; ++c)
        clients.emplace_back(cluster.Url(), administrator, QStringLiteral("WS-%1").arg(c + 1));
    std::deque<ClientLog> logs(kClients);
    std::atomic<Phase> phase{Phase::Running};
    std::atomic<bool> done{false};
    std::vector<std::thread> threads;
    for (size_t c = 0; c < kClients; ++c)
        threads.emplace_back(RunClient, std::ref(clients[c]), itemId, static_cast<int>(c) + 1, std::cref(phase),
                             std::cref(done), std::ref(logs[c]));

    const bool running = WaitForEvery(logs, &ClientLog::savedCount, 20);
    cluster.Stop();
    phase = Phase::Stopped;
    const bool toldStopped = running && WaitForEvery(logs, &ClientLog::failedWhileStopped, 3);
    cluster.Start();
    phase = Phase::Restarted;
    const bool wentOn = toldStopped && WaitForEvery(logs, &ClientLog::savedAfterRestart, 5);
    done = true;
    for (std::thread& thread : threads) thread.join();
    ASSERT_TRUE(running) << "the clients did not save before the stop";
    ASSERT_TRUE(toldStopped) << "a client was not told of the stopped server";
    EXPECT_TRUE(wentOn) << "a client did not save again after the server was back";

    const QStringList batches = Rows(*db::OpenDatabase(cluster.Url(), db::OpenMode::Existing),
                                     QStringLiteral("SELECT FBatchNo FROM ICOrderBatchTrace"));
    const QSet<QString> stored(batches.begin(), batches.end());
    QSet<QString> tried;
    for (const ClientLog& log : logs) {
        for (const QString& message : log.messages)
            EXPECT_TRUE(message.contains(QStringLiteral("数据库服务器"))) << message.toStdString();
        for (const QString& batch : log.saved) EXPECT_TRUE(stored.contains(batch)) << "lost " << batch.toStdString();
        for (const QString& batch : log.refused)
            EXPECT_FALSE(stored.contains(batch)) << "refused but stored: " << batch.toStdString();
        tried += log.saved + log.refused + log.unknown;
    }
    EXPECT_TRUE((stored - tried).isEmpty());
}

}  // namespace
}  // namespace qor::test
