#!/usr/bin/env bash
# Installs what is missing, builds the launcher, lays out the demo game
# installation and opens the launcher on it under Wine. With no display it
# runs on Xvfb and saves a screenshot to build/windows/screenshot.png.
#
#   tools/run.sh [--screenshot FILE]
#
# --screenshot: runs on Xvfb in any case and also saves the main window
# alone, cut from the screenshot, to FILE (docs/main-window.png is made so).
set -euo pipefail

main_shot=""
if [ "${1:-}" = "--screenshot" ]; then
    [ -n "${2:-}" ] || { echo "usage: tools/run.sh [--screenshot FILE]" >&2; exit 2; }
    main_shot=$(realpath -m "$2")
fi
cd "$(dirname "${BASH_SOURCE[0]}")/.."

tools/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows
tools/make-demo.sh build/windows

if [ -n "${DISPLAY:-}" ] && [ -z "$main_shot" ]; then
    exec tools/wine-run.sh --prefix build/windows/wine build/windows/YorvFrontEnd.exe
fi

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
app=""
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null || true
    tools/wine-run.sh --prefix build/windows/wine wineserver -k >/dev/null 2>&1 || true
    kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
tools/wine-run.sh --prefix build/windows/wine build/windows/YorvFrontEnd.exe &
app=$!
sleep 6
import -window root build/windows/screenshot.png
echo "Screenshot of the launcher on the demo game: build/windows/screenshot.png"
if [ -n "$main_shot" ]; then
    # The main window is the largest X window with the launcher's title; the
    # application window that carries the task-bar button has it too, at no
    # size.
    geometry=$(xwininfo -root -tree | grep '"Yorv HollowFen FrontEnd"' \
        | grep -oE '[0-9]+x[0-9]+[+-][0-9]+[+-][0-9]+' \
        | awk -Fx '{ split($2, r, /[+-]/); if ($1 * r[1] > best) { best = $1 * r[1]; g = $0 } } END { print g }' \
        || true)
    if [ -z "$geometry" ]; then
        echo "run: the main window was not found on the screen" >&2
        exit 1
    fi
    mkdir -p "$(dirname "$main_shot")"
    import -window root -crop "$geometry" +repage "$main_shot"
    echo "The main window alone: $main_shot"
fi
