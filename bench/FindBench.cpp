#include "bench/BenchCompany.h"
#include "src/data/TraceFinder.h"

#include <benchmark/benchmark.h>
#include <QCoreApplication>

using namespace qor;

namespace {

constexpr int kPage = 200;

struct FindCase {
    const char* name;
    TraceSearch search;
};

// Codes the bench company's generator writes: batches are dates with a
// sequence (about 8,000 records share one), orders SEORD000001 on, customer
// BOMs KHBOM000001 on.
const FindCase kCases[] = {
    {"exact batch", {FindScope::Batch, FindMatch::Exact, QStringLiteral("20260325-001")}},
    {"exact order", {FindScope::Order, FindMatch::Exact, QStringLiteral("SEORD031415")}},
    {"exact customer BOM", {FindScope::Bom, FindMatch::Exact, QStringLiteral("KHBOM004711")}},
    {"prefix batch, 3 % of records", {FindScope::Batch, FindMatch::Prefix, QStringLiteral("2026031")}},
    {"prefix batch, 0.3 % of records", {FindScope::Batch, FindMatch::Prefix, QStringLiteral("20260315-")}},
    {"contains batch, 75 records", {FindScope::Batch, FindMatch::Contains, QStringLiteral("60101-003")}},
    {"contains batch, most records", {FindScope::Batch, FindMatch::Contains, QStringLiteral("0325-00")}},
    {"prefix item", {FindScope::Item, FindMatch::Prefix, QStringLiteral("01.01.001.00")}},
    {"contains customer", {FindScope::Customer, FindMatch::Contains, QStringLiteral("西子")}},
};

// The first page of a search, through the module's finder and the host's
// data access, as the find window asks for it.
void BM_FindFirstPage(benchmark::State& state, const QString& company, const FindCase& c) {
    static QString current;
    if (company != current) {
        bench::OpenBenchSession(company);
        current = company;
    }
    int rows = 0;
    for (auto _ : state) rows = FindTraceRecords(c.search, kFromNewest, kPage).rows->RecordCount();
    state.counters["rows"] = rows;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString server = bench::BenchServerDatabase();
    for (const QString& company : {bench::BenchDatabase(), server}) {
        if (company.isEmpty()) continue;
        const std::string backend = company == server ? "postgresql" : "sqlite";
        for (const FindCase& c : kCases)
            benchmark::RegisterBenchmark(("BM_FindFirstPage/" + backend + "/" + c.name).c_str(), BM_FindFirstPage,
                                         company, c)
                ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
