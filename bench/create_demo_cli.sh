#!/usr/bin/env bash
# Times `qor-erp --create-demo` of the bench company (1,000,000 records over
# 100,000 items) on the server named by QOR_BENCH_PG, against psql loading the
# same rows with COPY, in one transaction, into the same empty company tables.
# Usage: QOR_BENCH_PG=postgresql://… bench/create_demo_cli.sh [build-dir] [runs]
set -euo pipefail
build=${1:-build}
runs=${2:-2}
server=${QOR_BENCH_PG:?QOR_BENCH_PG names the server}
base=${server%/*}
shell="$build/app/qor-erp"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tables="t_Item t_ICItem ICBom SEOrder SEOrderEntry ICOrderBatchTrace ICInventory"

# shellcheck source=bench/timing.sh
. "$(dirname "$0")/timing.sh"

drop() { psql -X -q "$base/postgres" -c "SET client_min_messages = warning" -c "DROP DATABASE IF EXISTS $1" > /dev/null; }
fresh_demo() { drop qor_demo_bench; }
ours=$(best fresh_demo "$shell" --create-demo "$base/qor_demo_bench" --traces 1000000 --items 100000)

# The rows the program wrote, and an empty company to load them into.
for table in $tables; do
  psql -X -q "$base/qor_demo_bench" -c "\\copy $table TO '$work/$table.tsv'"
done
load="BEGIN;"
for table in $tables; do load+=" \\copy $table FROM '$work/$table.tsv'
"; done
load+="COMMIT;"
echo "$load" > "$work/load.sql"
fresh_empty() {
  drop qor_demo_empty
  "$shell" --create-demo "$base/qor_demo_empty" --traces 10 --items 10 --groups 3 > /dev/null
  psql -X -q "$base/qor_demo_empty" -c "TRUNCATE ${tables// /, }" > /dev/null
}
theirs=$(best fresh_empty psql -X -q -v ON_ERROR_STOP=1 -f "$work/load.sql" "$base/qor_demo_empty")
report "create-demo 1M on postgresql" "$ours" "$theirs" "psql COPY of the same rows"
drop qor_demo_empty
