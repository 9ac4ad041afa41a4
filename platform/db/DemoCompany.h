#pragma once

#include "platform/db/Database.h"

namespace qor::db {

// Size of a generated company. The defaults make the demo company; the bench
// company is the same generator with more of everything.
struct DemoOptions {
    int traces = 2400;  // trace records (ICOrderBatchTrace)
    int items = 300;    // items; seven in ten are made to order (ERP class 7)
    int groups = 24;    // item groups in three levels
};

// The least a generated company has: a group on each of the three levels,
// and items of every kind.
inline constexpr int kDemoMinGroups = 3;
inline constexpr int kDemoMinItems = 10;
// The most, some twenty times the bench company: a mistyped size does not
// fill the disk.
inline constexpr int kDemoMaxTraces = 20'000'000;
inline constexpr int kDemoMaxItems = 2'000'000;
inline constexpr int kDemoMaxGroups = 100'000;

// Fills a new, empty company database (OpenDatabase with OpenMode::Create)
// with a manufacturing company: item groups and items, customer and other
// BOMs, sales orders, trace records, stock batches, the users administrator,
// viewer and clerk (password "demo") with their rights, the system profile,
// user settings and the sales-order list definition. The same options give the
// same data. Runs as one transaction in bulk-load mode (Database::SetBulkLoad).
void CreateDemoCompany(Database& db, const DemoOptions& options = {});

}  // namespace qor::db
