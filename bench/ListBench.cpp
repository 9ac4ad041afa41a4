#include "bench/BenchCompany.h"
#include "bench/SaveStatements.h"
#include "platform/base/Convert.h"
#include "platform/base/Variant.h"
#include "platform/controls/LedgerGrid.h"
#include "platform/db/OpenDatabase.h"
#include "platform/db/SqlRewrite.h"
#include "platform/host/ComponentFactory.h"
#include "platform/services/SaveData.h"
#include "src/component/ColumnSchema.h"
#include "src/data/CDetail.h"
#include "src/host/ProgIds.h"
#include "src/ui/list/TraceListGrid.h"
#include "src/ui/list/frmBatchTrace.h"

#include <benchmark/benchmark.h>
#include <libpq-fe.h>
#include <sqlite3.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QTemporaryFile>

using namespace qor;

namespace {

// The item that carries about 1,000 records in the bench company.
const QString kBestSellerFilter = QStringLiteral(" and t1.FItemID=5001");
// Saves psql runs from one script to time one of them.
constexpr int kPsqlSaves = 200;

enum Backend : int64_t { kSqlite = 0, kPostgreSql = 1 };

QString CompanyOf(int64_t backend) {
    return backend == kSqlite ? bench::BenchDatabase() : bench::BenchServerDatabase();
}

// Makes the bench company of the back end the process's login, once per switch.
void UseBackend(benchmark::State& state) {
    static int64_t current = kSqlite;
    const int64_t wanted = state.range(0);
    state.SetLabel(wanted == kSqlite ? "sqlite" : "postgresql");
    if (wanted == current) return;
    bench::OpenBenchSession(CompanyOf(wanted));
    current = wanted;
}

// The list as the window holds it: its grid behind the adapter the data
// access sizes it through.
struct ListFixture {
    controls::LedgerGrid grid;
    QLabel fontProbe;
    TraceListGrid listGrid{grid, fontProbe};
    CDetail detail;
    VectorPtr schema;
    ListFixture() {
        BuildColumnSchema(schema);
        grid.SetCols(7);
        detail.SetVectCol(schema);
        detail.SetLdg(&listGrid);
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
                if (sqlite3_column_type(stmt, c) == SQLITE_INTEGER)
                    bytes += static_cast<size_t>(sqlite3_column_int64(stmt, c) & 1);
                else
                    bytes +=
                        static_cast<size_t>(sqlite3_column_bytes(stmt, c)) + (sqlite3_column_text(stmt, c) ? 1 : 0);
            }
            ++rows;
        }
        sqlite3_finalize(stmt);
        benchmark::DoNotOptimize(bytes);
    }
    sqlite3_close(handle);
    state.counters["rows"] = static_cast<double>(rows);
}

// The list's statement (Arg 0: every record, 1: the best seller's) through
// libpq, every value of the text result touched: the floor for the list.
void BM_RawLibpqExec(benchmark::State& state) {
    ListFixture fixture;
    const QByteArray sql =
        (state.range(0) == 0 ? fixture.detail.GetTraceSQL() : fixture.detail.GetTraceSQL(kBestSellerFilter)).toUtf8();
    PGconn* connection = PQconnectdb(qUtf8Printable(bench::BenchServerDatabase()));
    int64_t rows = 0;
    for (auto _ : state) {
        PGresult* result = PQexec(connection, sql.constData());
        rows = PQntuples(result);
        const int columns = PQnfields(result);
        size_t bytes = 0;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c)
                bytes += static_cast<size_t>(PQgetlength(result, r, c)) + (PQgetvalue(result, r, c)[0] != 0 ? 1 : 0);
        PQclear(result);
        benchmark::DoNotOptimize(bytes);
    }
    PQfinish(connection);
    state.counters["rows"] = static_cast<double>(rows);
}

void BM_ListLoadAll(benchmark::State& state) {
    UseBackend(state);
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
    UseBackend(state);
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

// The window's start-up: its construction and the tree load, and with
// painted the first painting of the whole window too, what a user waits for.
void BM_WindowStart(benchmark::State& state, bool painted) {
    UseBackend(state);
    VectorPtr schema;
    BuildColumnSchema(schema);
    for (auto _ : state) {
        frmBatchTrace window;
        window.SetVectCol(schema);
        window.Load();
        benchmark::DoNotOptimize(window.CurrentNodeKey());
        if (!painted) continue;
        window.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window.grab());
    }
}

// One save of a whole record through the save component, as the edit
// window sends it: every check, then the update, in one transaction. The
// record's ban flag flips each time so that every save changes the row.
void BM_Save(benchmark::State& state) {
    UseBackend(state);
    auto saver = host::ComponentFactory::Create(QString::fromLatin1(host::progid::kSaveData));
    services::TraceRecord record = bench::BestSellerRecord(*db::OpenDatabase(CompanyOf(state.range(0))));
    for (auto _ : state) {
        record.forbid = !record.forbid;
        QVariantList args{QString(), QVariant::fromValue(bench::SaveRequestOf(record)), QString()};
        if (ToInt32(saver->CallRef(QStringLiteral("SaveBatchTraceData"), args)) != 1)
            state.SkipWithError(qUtf8Printable(args[2].toString()));
    }
}

// psql running the statements of the same save, in the same transaction:
// one script with kPsqlSaves of them, the time divided by their number.
void BM_PsqlSave(benchmark::State& state) {
    const QString url = bench::BenchServerDatabase();
    const QString script = bench::PsqlSaveScript(url, kPsqlSaves);
    QTemporaryFile file;
    file.open();
    file.write(script.toUtf8());
    file.close();
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        QProcess psql;
        psql.start(QStringLiteral("psql"),
                   {QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-v"), QStringLiteral("ON_ERROR_STOP=1"),
                    QStringLiteral("-o"), QStringLiteral("/dev/null"), QStringLiteral("-f"), file.fileName(), url});
        psql.waitForFinished(-1);
        if (psql.exitCode() != 0) state.SkipWithError(psql.readAllStandardError().constData());
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9 / kPsqlSaves);
    }
}

void RegisterBenchmarks() {
    const bool server = !qEnvironmentVariableIsEmpty("QOR_BENCH_PG");
    std::vector<int64_t> backends{kSqlite};
    if (server) backends.push_back(kPostgreSql);
    benchmark::RegisterBenchmark("BM_RawSqliteStep", BM_RawSqliteStep)->Unit(benchmark::kMillisecond)->Iterations(3);
    if (server) {
        benchmark::RegisterBenchmark("BM_RawLibpqExec", BM_RawLibpqExec)
            ->Arg(0)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3);
        benchmark::RegisterBenchmark("BM_RawLibpqExec", BM_RawLibpqExec)->Arg(1)->Unit(benchmark::kMillisecond);
    }
    for (int64_t backend : backends) {
        benchmark::RegisterBenchmark("BM_ListLoadAll", BM_ListLoadAll)
            ->Arg(backend)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3);
        benchmark::RegisterBenchmark("BM_ListLoadOneItem", BM_ListLoadOneItem)
            ->Arg(backend)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_Save", BM_Save)->Arg(backend)->Unit(benchmark::kMillisecond);
        for (const bool painted : {false, true})
            benchmark::RegisterBenchmark(painted ? "BM_WindowShown" : "BM_TreeLoad", BM_WindowStart, painted)
                ->Arg(backend)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(3);
    }
    if (server)
        benchmark::RegisterBenchmark("BM_PsqlSave", BM_PsqlSave)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3);
    benchmark::RegisterBenchmark("BM_DRowData", BM_DRowData)->Arg(0)->Arg(1)->Unit(benchmark::kNanosecond);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::OpenBenchSession();
    RegisterBenchmarks();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
