#pragma once

#include "platform/services/Session.h"

#include <QString>

namespace qor::bench {

// The bench company's file: QOR_BENCH_DB, or /tmp/qor-bench.db. Created with
// 1,000,000 trace records over 100,000 items in 5,000 groups when missing.
QString BenchDatabase();

// The bench company on a PostgreSQL server: the URL in QOR_BENCH_PG, created
// like the file when the server has no company there; empty when unset.
QString BenchServerDatabase();

// Logs administrator in to the bench company at connectionText (the file by
// default) and publishes the login context, as the host shell does before it
// opens the module. A later call switches the process to another company.
services::SessionPtr OpenBenchSession(const QString& connectionText = BenchDatabase());

}  // namespace qor::bench
