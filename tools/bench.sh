#!/usr/bin/env bash
# Runs the built benchmarks under Wine and prints their figures: each time
# is a ratio against its floor, measured in the same run. Builds nothing.
#
#   tools/bench.sh [--build DIR] [NAME...]
#
# NAME: startup, scan, size, launch, about, remove, busy (default: all). DIR is the
# build tree (default build/windows); benchmarks run in its Wine prefix.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$here/../build/windows
if [ "${1:-}" = "--build" ]; then
    build=$2
    shift 2
fi
build=$(cd "$build" && pwd)
names=("$@")
[ ${#names[@]} -gt 0 ] || names=(startup scan size launch about remove busy)

run=("$here/wine-run.sh" --prefix "$build/wine")
to_wine() { echo "Z:$(realpath "$1" | tr / '\\')"; }
need() {
    if [ ! -f "$1" ]; then
        echo "bench: $1 is not built; build the tree first (cmake --build $build)" >&2
        exit 1
    fi
}

for name in "${names[@]}"; do
    echo "== $name"
    case $name in
    startup)
        "$here/make-demo.sh" "$build" >/dev/null
        need "$build/bench/startup/bench_startup.exe"
        "${run[@]}" "$build/bench/startup/bench_startup.exe" "$(to_wine "$build/YorvFrontEnd.exe")" \
            "$(to_wine "$build/bench/startup/bench_startup_minimal.exe")" 15 \
            "$(to_wine "$build/bench/startup/bench_startup_skeleton.exe")" \
            "$(to_wine "$build/bench/startup/bench_startup_controls.exe")" ;;
    scan|launch|about|busy)
        exe=$build/bench/$name/bench_$name.exe
        need "$exe"
        "${run[@]}" "$exe" ;;
    remove)
        # A recycle bin of its own, new each run, beside the prefix (on the
        # same file system, so that the shell moves files rather than copies
        # them): the tests' bin, and what the bench leaves in its folders,
        # do not weigh on the figures.
        need "$build/bench/remove/bench_remove.exe"
        data=$build/wine/bench-data
        rm -rf "$data"
        YORV_XDG_DATA_HOME=$data "${run[@]}" "$build/bench/remove/bench_remove.exe"
        rm -rf "$data" ;;
    size)
        size=$(stat -c %s "$build/YorvFrontEnd.exe")
        echo "YorvFrontEnd.exe: $size bytes ($((size / 1024)) KB; target under 512 KB)"
        echo "imports: $(x86_64-w64-mingw32-objdump -p "$build/YorvFrontEnd.exe" | awk '/DLL Name/ {print $3}' | sort | tr '\n' ' ')" ;;
    *)
        echo "bench: no benchmark named $name" >&2
        exit 2 ;;
    esac
done
