#!/usr/bin/env bash
# Fails on an include that runs against the dependency rule: from platform/
# into src/ or app/, from src/ into platform/db or platform/services, and on a
# project include that does not name its folder from the top.
set -euo pipefail
cd "$(dirname "$0")/.."

status=0
report() {
    local what=$1 hits=$2
    [ -z "$hits" ] && return 0
    echo "$what:" >&2
    echo "$hits" >&2
    status=1
}

sources() { find "$@" \( -name '*.h' -o -name '*.cpp' \) -print0; }
quoted_includes() { sources "$@" | xargs -0 grep -Hn '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' || true; }

report "platform/ includes src/ or app/" "$(quoted_includes platform | grep -E '#[[:space:]]*include[[:space:]]*"(src|app)/' || true)"
report "src/ includes platform/db or platform/services" \
    "$(quoted_includes src | grep -E '#[[:space:]]*include[[:space:]]*"platform/(db|services)/' || true)"
report "include without its folder from the top" \
    "$(quoted_includes platform src app tests bench | grep -Ev '#[[:space:]]*include[[:space:]]*"(platform|src|app|tests|bench)/' || true)"
exit $status
