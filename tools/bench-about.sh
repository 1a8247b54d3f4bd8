#!/usr/bin/env bash
# Runs the built About benchmark (a YMod's About box on a 10 MB,
# 200,000-line description file, against reading the file and setting a
# text box's text once) under Wine and prints its figures. Builds nothing.
#
#   tools/bench-about.sh [--build DIR] [rounds]
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
exe=$build/bench/about/bench_about.exe
if [ ! -f "$exe" ]; then
    echo "bench-about: $exe is not built; build the tree first (cmake --build $build)" >&2
    exit 1
fi
run=("$here/wine-run.sh" --prefix "$build/wine")
# On a bare X server no window manager answers, and Wine waits two seconds
# for one each time a captioned window is hidden; the benchmark's windows are
# managed by Wine itself (an application default of this program only).
"${run[@]}" reg add 'HKCU\Software\Wine\AppDefaults\bench_about.exe\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
exec "${run[@]}" "$exe" "$@"
