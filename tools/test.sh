#!/usr/bin/env bash
# Installs what is missing, builds both trees and runs the whole test suite:
# the core's logic on Linux under the sanitizers (with short fuzz runs) and
# the CI workflow's check (tools/check-workflow.sh; skipped without node),
# then the launcher's tests under Wine on a private Xvfb display.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

tools/install-deps.sh

cmake --preset host >/dev/null
cmake --build --preset host
cmake --preset windows >/dev/null
cmake --build --preset windows

xvfb_pid=""
if [ -z "${DISPLAY:-}" ]; then
    display=:$((90 + RANDOM % 100))
    Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=$display
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi
cleanup() {
    tools/wine-run.sh --prefix build/windows/wine wineserver -k >/dev/null 2>&1 || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

# Create the Wine prefix before the tests start in parallel.
tools/wine-run.sh --prefix build/windows/wine cmd /c exit 0 >/dev/null 2>&1 || true

status=0
ctest --preset host || status=1
ctest --preset windows || status=1
exit $status
