#include "platform/db/DemoCompany.h"
#include "platform/db/OpenDatabase.h"
#include "tests/services/SaveLoad.h"

#include <benchmark/benchmark.h>
#include <QCoreApplication>
#include <QUrl>

using namespace qor;

namespace {

// Eight desktops saving at once on a small company of the server named by
// QOR_BENCH_PG (its database qor_desktops_bench): the load test's mix of
// new records, batch changes, bans and deletes, 8,000 saves in all. Each
// desktop logs in as the administrator's own login role, or with the
// owner's URL as before the server enforced the rights.
void BM_EightDesktops(benchmark::State& state, const QString& company, bool ownRole) {
    const db::DatabasePtr owner = db::OpenDatabase(company);
    const std::vector<test::Item> items = test::ItemsUsed(*owner);
    const int administrator =
        test::Scalar(*owner, QStringLiteral("SELECT FUserID FROM t_User WHERE FName = 'administrator'")).toInt();
    QUrl desktop(company);
    desktop.setUserName(QString());
    const db::ServerLogin login{db::CompanyRole(company, QStringLiteral("administrator")), QStringLiteral("demo")};
    for (auto _ : state) {
        state.PauseTiming();
        owner->Execute(QStringLiteral("DELETE FROM ICOrderBatchTrace"));
        owner->Execute(QStringLiteral("DELETE FROM t_Log"));
        std::deque<test::SaveClient> clients;
        for (int c = 0; c < test::kClients; ++c) {
            const QString machine = QStringLiteral("WS-%1").arg(c + 1);
            if (ownRole)
                clients.emplace_back(desktop.toString(QUrl::FullyEncoded), administrator, machine, login);
            else
                clients.emplace_back(company, administrator, machine);
        }
        state.ResumeTiming();
        test::RunDesktops(clients, items);
    }
    state.counters["saves/s"] = benchmark::Counter(static_cast<double>(test::kClients * test::kSavesPerClient),
                                                   benchmark::Counter::kIsIterationInvariantRate);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString server = qEnvironmentVariable("QOR_BENCH_PG");
    if (!server.isEmpty()) {
        QUrl url(server);
        url.setPath(QStringLiteral("/qor_desktops_bench"));
        const QString company = url.toString(QUrl::FullyEncoded);
        // A company left by an earlier run is used again: each run empties its records first.
        if (db::PostgresDatabase::CreateDatabaseIfMissing(company))
            db::CreateDemoCompany(*db::OpenDatabase(company, db::OpenMode::Create),
                                  {.traces = 0, .items = 10, .groups = 3});
        for (const bool ownRole : {false, true})
            benchmark::RegisterBenchmark(ownRole ? "BM_EightDesktops/own login role" : "BM_EightDesktops/owner's URL",
                                         BM_EightDesktops, company, ownRole)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->MinTime(5);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
