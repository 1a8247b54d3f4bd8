#!/usr/bin/env bash
# Runs the built removal benchmark (a YMod of 2,000 files in 100
# directories through the launcher's removal, against a bare loop of one
# SHFileOperationA call a file) under Wine and prints its figures. Builds
# nothing.
#
#   tools/bench-remove.sh [--build DIR] [rounds]
#
# DIR is the build tree (default build/windows); the benchmark runs in that
# tree's Wine prefix, DIR/wine, and recycles into its HOME's trash.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$here/../build/windows
if [ "${1:-}" = "--build" ]; then
    build=$2
    shift 2
fi
exe=$build/bench/remove/bench_remove.exe
if [ ! -f "$exe" ]; then
    echo "bench-remove: $exe is not built; build the tree first (cmake --build $build)" >&2
    exit 1
fi
exec "$here/wine-run.sh" --prefix "$build/wine" "$exe" "$@"
