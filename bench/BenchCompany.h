#pragma once

#include <QString>

namespace qor::bench {

// The bench company's file: QOR_BENCH_DB, or /tmp/qor-bench.db. Created with
// 1,000,000 trace records over 100,000 items in 5,000 groups when missing.
QString BenchDatabase();

// Logs administrator in to the bench company and publishes the login
// context, as the host shell does before it opens the module.
void OpenBenchSession();

}  // namespace qor::bench
