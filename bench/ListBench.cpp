#include "BenchCompany.h"
#include "base/Variant.h"
#include "component/ColumnSchema.h"
#include "controls/LedgerGrid.h"
#include "data/CDetail.h"
#include "db/SqlRewrite.h"
#include "ui/list/frmBatchTrace.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

using namespace qor;

namespace {

// The item that carries about 1,000 records in the bench company.
const QString kBestSellerFilter = QStringLiteral(" and t1.FItemID=5001");

struct ListFixture {
    controls::LedgerGrid grid;
    CDetail detail;
    VectorPtr schema;
    ListFixture() {
        BuildColumnSchema(schema);
        grid.SetCols(7);
        detail.SetVectCol(schema);
        detail.SetLdg(&grid);
    }
};

// Kept for the whole run and never destroyed: it outlives the application object.
ListFixture& Loaded() {
    static ListFixture* fixture = [] {
        auto* f = new ListFixture;
        f->detail.TakeJournalData(f->detail.GetTraceSQL());
        return f;
    }();
    return *fixture;
}

// The same statement stepped through the C API, every column read.
void BM_RawSqliteStep(benchmark::State& state) {
    ListFixture fixture;
    const QByteArray sql = db::RewriteIsNullCalls(fixture.detail.GetTraceSQL()).toUtf8();
    sqlite3* handle = nullptr;
    sqlite3_open_v2(qUtf8Printable(bench::BenchDatabase()), &handle, SQLITE_OPEN_READONLY, nullptr);
    int64_t rows = 0;
    for (auto _ : state) {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(handle, sql.constData(), static_cast<int>(sql.size()), &stmt, nullptr);
        const int columns = sqlite3_column_count(stmt);
        size_t bytes = 0;
        rows = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            for (int c = 0; c < columns; ++c) {
                if (sqlite3_column_type(stmt, c) == SQLITE_INTEGER) bytes += static_cast<size_t>(sqlite3_column_int64(stmt, c) & 1);
                else bytes += static_cast<size_t>(sqlite3_column_bytes(stmt, c)) + (sqlite3_column_text(stmt, c) ? 1 : 0);
            }
            ++rows;
        }
        sqlite3_finalize(stmt);
        benchmark::DoNotOptimize(bytes);
    }
    sqlite3_close(handle);
    state.counters["rows"] = static_cast<double>(rows);
}

void BM_ListLoadAll(benchmark::State& state) {
    ListFixture fixture;
    const QString sql = fixture.detail.GetTraceSQL();
    for (auto _ : state) benchmark::DoNotOptimize(fixture.detail.TakeJournalData(sql));
    const Recordset& rs = *fixture.detail.Record();
    size_t valueBytes = 0;
    for (int c = 0; c < rs.FieldCount(); ++c) {
        const RecordsetColumn& column = rs.Column(c);
        valueBytes += column.type == FieldType::Text ? column.arena.size() : rs.RecordCount() * sizeof(int64_t);
    }
    state.counters["rows"] = rs.RecordCount();
    state.counters["memory_MB"] = static_cast<double>(rs.MemoryBytes()) / 1e6;
    state.counters["values_MB"] = static_cast<double>(valueBytes) / 1e6;
    state.counters["memory_ratio"] = static_cast<double>(rs.MemoryBytes()) / static_cast<double>(valueBytes);
}

void BM_ListLoadOneItem(benchmark::State& state) {
    ListFixture fixture;
    const QString sql = fixture.detail.GetTraceSQL(kBestSellerFilter);
    for (auto _ : state) benchmark::DoNotOptimize(fixture.detail.TakeJournalData(sql));
    state.counters["rows"] = fixture.detail.Record()->RecordCount();
}

void BM_DRowData(benchmark::State& state) {
    ListFixture& fixture = Loaded();
    const int row = state.range(0) == 0 ? 2 : fixture.grid.Rows();
    for (auto _ : state) benchmark::DoNotOptimize(fixture.detail.DRowData(row));
    state.counters["row"] = row;
}

void BM_TreeLoad(benchmark::State& state) {
    VectorPtr schema;
    BuildColumnSchema(schema);
    for (auto _ : state) {
        frmBatchTrace window;
        window.SetVectCol(schema);
        window.Load();
        benchmark::DoNotOptimize(window.CurrentNodeKey());
    }
}

}  // namespace

BENCHMARK(BM_RawSqliteStep)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ListLoadAll)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ListLoadOneItem)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DRowData)->Arg(0)->Arg(1)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_TreeLoad)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::OpenBenchSession();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
