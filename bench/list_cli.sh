#!/usr/bin/env bash
# Times `qor-erp list --all` and `qor-erp list --item` (the best-selling item,
# about 1,000 records) printing TSV to /dev/null against the database's own
# shell printing the same statement to /dev/null, on the bench company: the
# sqlite3 shell on the file (IFNULL for ISNULL), and psql on the PostgreSQL
# server named by QOR_BENCH_PG when it is set (the statement as the module
# wrote it: ISNULL and CHARINDEX are functions there).
# Then `qor-erp find` (every record of an exact batch, of a batch prefix, of
# an order) against the shell running one statement that selects the same rows.
# Usage: bench/list_cli.sh [build-dir] [runs]
set -euo pipefail
build=${1:-build}
runs=${2:-3}
db=${QOR_BENCH_DB:-/tmp/qor-bench.db}
server=${QOR_BENCH_PG:-}
shell="$build/app/qor-erp"
[ -f "$db" ] || "$shell" --create-demo "$db" --traces 1000000 --items 100000
if [ -n "$server" ] && ! psql -X -q -t "$server" -c "SELECT 1 FROM t_SchemaVersion" > /dev/null 2>&1; then
  "$shell" --create-demo "$server" --traces 1000000 --items 100000
fi

# The statement the list ran, as the --trace file recorded it.
list_statement() {  # company, list arguments...
  local company=$1 trace
  shift
  trace=$(mktemp)
  "$shell" list --db "$company" --user administrator --password demo "$@" --format tsv --trace "$trace" > /dev/null
  python3 -c '
import json, sys
statements = [json.loads(line)["args"][0] for line in open(sys.argv[1], encoding="utf-8")
              if json.loads(line)["member"] == "GetAnyRecordset"]
print(statements[-1])
' "$trace"
  rm -f "$trace"
}

# shellcheck source=bench/timing.sh
. "$(dirname "$0")/timing.sh"

item=$(sqlite3 "$db" "SELECT FNumber FROM t_ICItem WHERE FItemID = 5001")
for scope in all item; do
  args=(--all)
  [ "$scope" = all ] || args=(--item "$item")

  sql=$(list_statement "$db" "${args[@]}" | python3 -c 'import re, sys; print(re.sub(r"\bISNULL\(", "IFNULL(", sys.stdin.read()))')
  ours=$(best true "$shell" list --db "$db" --user administrator --password demo "${args[@]}" --format tsv)
  theirs=$(best true sqlite3 -separator $'\t' "$db" "$sql")
  report "sqlite list --$scope" "$ours" "$theirs" "sqlite3 shell"

  if [ -n "$server" ]; then
    sql=$(list_statement "$server" "${args[@]}")
    ours=$(best true "$shell" list --db "$server" --user administrator --password demo "${args[@]}" --format tsv)
    theirs=$(best true psql -X -q -A -t -F $'\t' "$server" -c "$sql")
    report "postgresql list --$scope" "$ours" "$theirs" "psql"
  fi
done

# What find selects, as one statement: the found rows' columns, the records
# whose code meets the condition, newest first. PostgreSQL compares the
# lower-cased codes in collation "C", as its indexes hold them.
find_statement() {  # condition
  cat <<SQL
SELECT v1.FTraceID, v1.FItemID, t1.FNumber, t1.FName, t1.FModel, COALESCE(v2.FBillNo, ''),
  CASE WHEN v2.FInterID IS NULL THEN 0 ELSE v1.FOrderEntryID END, COALESCE(v2.FCustName, ''),
  COALESCE(t2.FBOMNumber, ''), v1.FBatchNo, v1.FForbid
FROM ICOrderBatchTrace v1 CROSS JOIN t_ICItem t1
  LEFT JOIN SEOrder v2 ON v1.FOrderInterID = v2.FInterID LEFT JOIN ICBom t2 ON v1.FCustBomID = t2.FInterID
WHERE v1.FItemID = t1.FItemID AND t1.FErpClsID = 7 AND $1
ORDER BY v1.FTraceID DESC
SQL
}

finds=(
  "exact batch|--batch 20260325-001|lower(v1.FBatchNo) = '20260325-001'"
  "prefix batch|--batch 20260315-|lower(v1.FBatchNo) >= '20260315-' AND lower(v1.FBatchNo) < '20260315.'"
  "exact order|--order SEORD031415|v1.FOrderInterID IN (SELECT FInterID FROM SEOrder WHERE lower(FBillNo) = 'seord031415')"
)
for find in "${finds[@]}"; do
  IFS='|' read -r label options condition <<< "$find"
  read -ra args <<< "$options"
  sql=$(find_statement "$condition")
  ours=$(best true "$shell" find --db "$db" --user administrator --password demo "${args[@]}")
  theirs=$(best true sqlite3 -separator $'\t' "$db" "$sql")
  report "sqlite find, $label" "$ours" "$theirs" "sqlite3 shell"
  if [ -n "$server" ]; then
    sql=$(find_statement "$(sed -E 's/lower\(([A-Za-z0-9.]+)\)/lower(\1) COLLATE "C"/g' <<< "$condition")")
    ours=$(best true "$shell" find --db "$server" --user administrator --password demo "${args[@]}")
    theirs=$(best true psql -X -q -A -t -F $'\t' "$server" -c "$sql")
    report "postgresql find, $label" "$ours" "$theirs" "psql"
  fi
done
