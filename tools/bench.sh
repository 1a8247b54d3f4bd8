#!/usr/bin/env bash
# Runs the start-up and scan benchmarks and reports the executable's size
# and imports. Figures are ratios against a floor measured in the same run.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=${1:-build/windows}
run=(tools/wine-run.sh --prefix "$build/wine")
tools/make-demo.sh "$build" >/dev/null
to_wine() { echo "Z:$(realpath "$1" | tr / '\\')"; }
"${run[@]}" "$build/bench/startup/bench_startup.exe" "$(to_wine "$build/YorvFrontEnd.exe")" \
    "$(to_wine "$build/bench/startup/bench_startup_minimal.exe")" 15
"${run[@]}" "$build/bench/scan/bench_scan.exe"
size=$(stat -c %s "$build/YorvFrontEnd.exe")
echo "YorvFrontEnd.exe: $size bytes ($((size / 1024)) KB; target under 512 KB)"
echo "imports: $(x86_64-w64-mingw32-objdump -p "$build/YorvFrontEnd.exe" | awk '/DLL Name/ {print $3}' | sort | tr '\n' ' ')"
