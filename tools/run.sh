#!/usr/bin/env bash
# Installs what is missing, builds the launcher, lays out the demo game
# installation and opens the launcher on it under Wine. With no display it
# runs on Xvfb and saves a screenshot to build/windows/screenshot.png.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

tools/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows
tools/make-demo.sh build/windows

if [ -n "${DISPLAY:-}" ]; then
    exec tools/wine-run.sh --prefix build/windows/wine build/windows/YorvFrontEnd.exe
fi

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
tools/wine-run.sh --prefix build/windows/wine build/windows/YorvFrontEnd.exe &
app=$!
sleep 6
import -window root build/windows/screenshot.png
echo "Screenshot of the launcher on the demo game: build/windows/screenshot.png"
kill $app 2>/dev/null || true
tools/wine-run.sh --prefix build/windows/wine wineserver -k >/dev/null 2>&1 || true
