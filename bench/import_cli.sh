#!/usr/bin/env bash
# Times `qor-erp import --partial` of 100,000 rows (about half new batches,
# half ban flags turned over) into a copy of the bench company, against the
# database's own shell running the same statements (written out by
# import_statements) from a script in one transaction on another copy: the
# sqlite3 shell on the file, and psql on the server named by QOR_BENCH_PG.
# Usage: bench/import_cli.sh [build-dir] [runs]
set -euo pipefail
build=${1:-build}
runs=${2:-3}
db=${QOR_BENCH_DB:-/tmp/qor-bench.db}
server=${QOR_BENCH_PG:-}
shell="$build/app/qor-erp"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
[ -f "$db" ] || "$shell" --create-demo "$db" --traces 1000000 --items 100000

# The rows: every twentieth record with its ban flag turned over, and new batches
# of items with a customer BOM.
rows_sql="
SELECT '物料代码','批号','销售订单编号','客户BOM编号','禁用';
SELECT i.FNumber, v.FBatchNo, COALESCE(o.FBillNo,''), COALESCE(b.FBOMNumber,''),
       CASE WHEN v.FForbid = 1 THEN '' ELSE 'Y' END
FROM ICOrderBatchTrace v JOIN t_ICItem i ON i.FItemID = v.FItemID
LEFT JOIN SEOrder o ON o.FInterID = v.FOrderInterID LEFT JOIN ICBom b ON b.FInterID = v.FCustBomID
WHERE v.FTraceID % 20 = 0 ORDER BY v.FTraceID LIMIT 50000;
SELECT i.FNumber, 'IMP-' || v.FTraceID, '', b.FBOMNumber, ''
FROM ICOrderBatchTrace v JOIN t_ICItem i ON i.FItemID = v.FItemID JOIN ICBom b ON b.FInterID = v.FCustBomID
WHERE v.FTraceID % 10 = 1 ORDER BY v.FTraceID LIMIT 50000;"
sqlite3 -csv "$db" "$rows_sql" > "$work/rows.csv"
echo "rows: $(($(wc -l < "$work/rows.csv") - 1))"

# Both companies are brought to the current schema first, so that neither
# side's time holds the migration.
head -3 "$work/rows.csv" > "$work/two.csv"
for company in "$db" ${server:+"$server"}; do
  "$shell" import --db "$company" --user administrator --password demo --in "$work/two.csv" --dry-run > /dev/null
done

# shellcheck source=bench/timing.sh
. "$(dirname "$0")/timing.sh"

fresh_file() { rm -f "$work/c.db"*; cp "$db" "$work/c.db"; }
fresh_file
"$build/bench/import_statements" "$work/c.db" "$work/rows.csv" "$work/sqlite.sql"
ours=$(best fresh_file "$shell" import --db "$work/c.db" --user administrator --password demo \
  --in "$work/rows.csv" --partial)
theirs=$(best fresh_file sqlite3 "$work/c.db" ".read $work/sqlite.sql")
report "sqlite import" "$ours" "$theirs" "sqlite3 shell"

if [ -n "$server" ]; then
  base=${server%/*}
  name=${server##*/}
  fresh_server() {
    psql -X -q "$base/postgres" -c "DROP DATABASE IF EXISTS qor_import_bench" \
      -c "CREATE DATABASE qor_import_bench TEMPLATE $name" > /dev/null
  }
  copy="$base/qor_import_bench"
  fresh_server
  "$build/bench/import_statements" "$copy" "$work/rows.csv" "$work/psql.sql"
  ours=$(best fresh_server "$shell" import --db "$copy" --user administrator --password demo \
    --in "$work/rows.csv" --partial)
  theirs=$(best fresh_server psql -X -q -v ON_ERROR_STOP=1 -f "$work/psql.sql" "$copy")
  report "postgresql import" "$ours" "$theirs" "psql"
fi
