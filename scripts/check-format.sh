#!/usr/bin/env bash
# Fails on a C++ file that differs from what the project's .clang-format makes
# of it; `scripts/check-format.sh --fix` formats them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -d '' files < <(find platform src app tests bench \( -name '*.h' -o -name '*.cpp' \) -print0)
if [ "${1:-}" = --fix ]; then
    clang-format -i "${files[@]}"
    exit 0
fi
clang-format --dry-run -Werror "${files[@]}"
