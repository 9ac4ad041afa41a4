#include "SaveClient.h"

#include "db/DemoCompany.h"
#include "db/OpenDatabase.h"
#include "support/TestBackend.h"
#include "support/TestCluster.h"

#include <gtest/gtest.h>
#include <QSet>
#include <atomic>
#include <chrono>
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
    int savedAfterRestart = 0;
    int failedWhileStopped = 0;

    int SavedAfterRestart() {
        std::lock_guard guard(lock);
        return savedAfterRestart;
    }
    int FailedWhileStopped() {
        std::lock_guard guard(lock);
        return failedWhileStopped;
    }
    int Saved() {
        std::lock_guard guard(lock);
        return static_cast<int>(saved.size());
    }
};

void RunClient(SaveClient& client, int itemId, int number, const std::atomic<Phase>& phase,
               const std::atomic<bool>& done, ClientLog& log) {
    for (int n = 0; !done; ++n) {
        const QString batch = QStringLiteral("S%1-%2").arg(number).arg(n, 5, 10, QLatin1Char('0'));
        const Phase during = phase;
        const SaveClient::Answer answer = client.Insert(itemId, batch);
        std::lock_guard guard(log.lock);
        if (answer.code == 1) {
            log.saved.insert(batch);
            if (during == Phase::Restarted) ++log.savedAfterRestart;
            continue;
        }
        (answer.code == 0 ? log.refused : log.unknown).insert(batch);
        log.messages.append(answer.message);
        if (phase == Phase::Stopped) ++log.failedWhileStopped;
        std::this_thread::sleep_for(kPauseAfterFailure);
    }
}

template <typename Condition>
bool WaitFor(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + kPhaseDeadline;
    while (!condition()) {
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
        itemId = company->Query(QStringLiteral("SELECT MIN(FItemID) FROM t_ICItem WHERE FErpClsID = 7"))
                     ->Fields(0)
                     .Value()
                     .toInt();
        administrator = company->Query(QStringLiteral("SELECT FUserID FROM t_User WHERE FName = 'administrator'"))
                            ->Fields(0)
                            .Value()
                            .toInt();
    }

    std::vector<std::unique_ptr<SaveClient>> clients;
    std::vector<std::unique_ptr<ClientLog>> logs;
    for (int c = 0; c < kClients; ++c) {
        clients.push_back(
            std::make_unique<SaveClient>(cluster.Url(), administrator, QStringLiteral("WS-%1").arg(c + 1)));
        logs.push_back(std::make_unique<ClientLog>());
    }
    std::atomic<Phase> phase{Phase::Running};
    std::atomic<bool> done{false};
    std::vector<std::thread> threads;
    for (int c = 0; c < kClients; ++c)
        threads.emplace_back(RunClient, std::ref(*clients[static_cast<size_t>(c)]), itemId, c + 1, std::cref(phase),
                             std::cref(done), std::ref(*logs[static_cast<size_t>(c)]));
    const auto every = [&logs](auto test) {
        return std::all_of(logs.begin(), logs.end(), [&](const auto& log) { return test(*log); });
    };

    const bool running = WaitFor([&] { return every([](ClientLog& log) { return log.Saved() >= 20; }); });
    cluster.Stop();
    phase = Phase::Stopped;
    const bool toldStopped =
        running && WaitFor([&] { return every([](ClientLog& log) { return log.FailedWhileStopped() >= 3; }); });
    cluster.Start();
    phase = Phase::Restarted;
    const bool wentOn =
        toldStopped && WaitFor([&] { return every([](ClientLog& log) { return log.SavedAfterRestart() >= 5; }); });
    done = true;
    for (std::thread& thread : threads) thread.join();
    ASSERT_TRUE(running) << "the clients did not save before the stop";
    ASSERT_TRUE(toldStopped) << "a client was not told of the stopped server";
    EXPECT_TRUE(wentOn) << "a client did not save again after the server was back";

    const db::DatabasePtr company = db::OpenDatabase(cluster.Url(), db::OpenMode::Existing);
    QSet<QString> stored;
    for (RecordsetPtr rs = company->Query(QStringLiteral("SELECT FBatchNo FROM ICOrderBatchTrace")); !rs->Eof();
         rs->MoveNext())
        stored.insert(rs->Fields(0).Text());
    for (int c = 0; c < kClients; ++c) {
        SCOPED_TRACE(c + 1);
        ClientLog& log = *logs[static_cast<size_t>(c)];
        for (const QString& message : std::as_const(log.messages))
            EXPECT_TRUE(message.contains(QStringLiteral("数据库服务器"))) << message.toStdString();
        for (const QString& batch : std::as_const(log.saved))
            EXPECT_TRUE(stored.contains(batch)) << "lost " << batch.toStdString();
        for (const QString& batch : std::as_const(log.refused))
            EXPECT_FALSE(stored.contains(batch)) << "refused but stored: " << batch.toStdString();
    }
    QSet<QString> tried;
    for (const auto& log : logs) tried += log->saved + log->refused + log->unknown;
    EXPECT_TRUE((stored - tried).isEmpty());
}

}  // namespace
}  // namespace qor::test
