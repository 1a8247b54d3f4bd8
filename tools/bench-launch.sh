#!/usr/bin/env bash
# Runs the built launch benchmark (Play click to game running, against a
# bare ShellExecuteA) under Wine and prints its figures. Builds nothing.
#
#   tools/bench-launch.sh [--build DIR] [rounds]
#
# DIR is the build tree (default build/windows); the benchmark runs in that
# tree's Wine prefix, DIR/wine.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$here/../build/windows
if [ "${1:-}" = "--build" ]; then
    build=$2
    shift 2
fi
exe=$build/bench/launch/bench_launch.exe
if [ ! -f "$exe" ]; then
    echo "bench-launch: $exe is not built; build the tree first (cmake --build $build)" >&2
    exit 1
fi
exec "$here/wine-run.sh" --prefix "$build/wine" "$exe" "$@"
