#!/usr/bin/env bash
# Runs each fuzz target for a bounded time (default 60 s each).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds=${1:-60}
tools/install-deps.sh
cmake --preset host >/dev/null
cmake --build --preset host --target fuzz_line_reader fuzz_setting_int fuzz_path
for target in line_reader setting_int path; do
    corpus=build/host/fuzz-corpus/$target
    mkdir -p "$corpus"
    echo "== fuzz_$target for ${seconds}s"
    build/host/tests/fuzz/fuzz_$target -max_total_time="$seconds" -rss_limit_mb=2048 "$corpus"
done
