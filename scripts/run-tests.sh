#!/usr/bin/env bash
# Runs every test of a build through ctest.
set -euo pipefail
build_dir=${1:-build}
cd "$(dirname "$0")/.."
ctest --test-dir "$build_dir" --output-on-failure --timeout 600 -j2
