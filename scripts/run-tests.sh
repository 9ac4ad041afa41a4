#!/usr/bin/env bash
# Runs every test of a build through ctest, the integration tests against
# SQLite and against a throwaway PostgreSQL server on 127.0.0.1 that lives for
# this run only (QOR_TEST_PG names it). A server given in QOR_TEST_PG is used
# as it is; QOR_TEST_PG=none runs the tests on SQLite alone.
set -euo pipefail
build_dir=${1:-build}
cd "$(dirname "$0")/.."

scripts/check-layers.sh
scripts/check-format.sh

if [ "${QOR_TEST_PG:-}" = none ]; then
  unset QOR_TEST_PG
elif [ -z "${QOR_TEST_PG:-}" ]; then
  cluster_dir=$(mktemp -d "${TMPDIR:-/tmp}/qor-test-pg.XXXXXX")
  stop_cluster() {
    scripts/pg-test-cluster.sh stop "$cluster_dir" || true
    rm -rf "$cluster_dir"
  }
  trap stop_cluster EXIT
  trap 'exit 130' INT TERM
  QOR_TEST_PG=$(scripts/pg-test-cluster.sh start "$cluster_dir")
  export QOR_TEST_PG
  echo "PostgreSQL for the tests: $QOR_TEST_PG"
fi

ctest --test-dir "$build_dir" --output-on-failure --timeout 600 -j2
