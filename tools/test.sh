#!/usr/bin/env bash
# Installs what is missing, builds both trees and runs the whole test suite:
# the core's logic on Linux under the sanitizers (with short fuzz runs) and
# the CI workflow's check (tools/check-workflow.sh; skipped without node),
# then the launcher's tests under the system's Wine on a private Xvfb
# display, and once more under Debian 13's Wine 10 (tools/test-wine10.sh,
# which skips itself where it cannot run or the system's Wine is 10 already).
# Fails if any run fails; the output ends with the last run's summary.
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

# The Debian 13 root is made (once per machine) before the Wine runs, so that
# where it cannot be, the output still ends with a run's summary.
wine10=1
tools/test-wine10.sh --prepare || case $? in
    77) wine10=0 ;;
    *) wine10=0; status=1 ;;
esac

echo "test: the tests of build/windows under the system's $(wine --version 2>/dev/null)"
ctest --preset windows || status=1
if [ "$wine10" -eq 1 ]; then
    tools/test-wine10.sh || status=1
fi
exit $status
