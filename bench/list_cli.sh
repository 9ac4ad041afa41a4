#!/usr/bin/env bash
# Times `qor-erp list --all --format tsv > /dev/null` against the sqlite3 shell
# printing the same statement (IFNULL for ISNULL) to /dev/null, on the bench
# company. Usage: bench/list_cli.sh [build-dir] [runs]
set -euo pipefail
build=${1:-build}
runs=${2:-3}
db=${QOR_BENCH_DB:-/tmp/qor-bench.db}
shell="$build/app/qor-erp"
[ -f "$db" ] || "$shell" --create-demo "$db" --traces 1000000 --items 100000
trace=$(mktemp)
"$shell" list --db "$db" --user administrator --password demo --all --format tsv --trace "$trace" > /dev/null
sql=$(python3 -c '
import json, re, sys
for line in open(sys.argv[1], encoding="utf-8"):
    call = json.loads(line)
    if call["member"] == "GetAnyRecordset":
        print(re.sub(r"\bISNULL\(", "IFNULL(", call["args"][0]))
' "$trace")
rm -f "$trace"

best() {  # best wall time in seconds of $runs runs of the command
  local best=999999
  for _ in $(seq "$runs"); do
    local start end
    start=$(date +%s.%N)
    "$@" > /dev/null
    end=$(date +%s.%N)
    best=$(python3 -c "print(min($best, $end - $start))")
  done
  echo "$best"
}

ours=$(best "$shell" list --db "$db" --user administrator --password demo --all --format tsv)
theirs=$(best sqlite3 -separator $'\t' "$db" "$sql")
python3 -c "print(f'qor-erp list --all: {$ours:.2f} s   sqlite3 shell: {$theirs:.2f} s   ratio: {$ours / $theirs:.2f}')"
