#!/usr/bin/env bash
# Times the exports of the whole bench company against their references in
# one run: `export --out x.csv` against `list --format tsv`, and `export
# --out x.xlsx` against `list --format tsv` plus a plain libxlsxwriter
# program writing the same cells in constant-memory mode (xlsx_reference).
# Usage: bench/export_cli.sh [build-dir] [runs]
set -euo pipefail
build=${1:-build}
runs=${2:-3}
db=${QOR_BENCH_DB:-/tmp/qor-bench.db}
shell="$build/app/qor-erp"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
[ -f "$db" ] || "$shell" --create-demo "$db" --traces 1000000 --items 100000
login=(--db "$db" --user administrator --password demo --all)

# shellcheck source=bench/timing.sh
. "$(dirname "$0")/timing.sh"

tsv=$(best true "$shell" list "${login[@]}" --format tsv)
csv=$(best true "$shell" export "${login[@]}" --out "$work/all.csv")
report "export csv" "$csv" "$tsv" "list tsv"

"$shell" list "${login[@]}" --format tsv > "$work/all.tsv"
reference=$(best true "$build/bench/xlsx_reference" "$work/all.tsv" "$work/reference.xlsx")
xlsx=$(best true "$shell" export "${login[@]}" --out "$work/all.xlsx")
report "export xlsx" "$xlsx" "$(python3 -c "print($tsv + $reference)")" "list tsv + libxlsxwriter"
