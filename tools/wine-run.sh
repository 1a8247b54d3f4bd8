#!/usr/bin/env bash
# Runs a Windows program of the project under Wine, in a prefix and a HOME
# of its own (never the user's), quiet, and on Xvfb when there is no display.
#
#   tools/wine-run.sh [--prefix DIR] program.exe [arguments...]
#   tools/wine-run.sh [--prefix DIR] wineserver -k
#
# DIR holds the Wine prefix (DIR/prefix) and the HOME whose XDG trash the
# recycle bin uses (DIR/home). It is created on first use and then reused;
# the default is build/windows/wine, or $YORV_WINE_DIR.
#
# With YORV_WINE_ROOT naming a root folder with a Wine of its own (as
# tools/test-wine10.sh sets it), the program runs under that Wine, in that
# root, whose prefix is kept in DIR-<the root folder's name>: a prefix that
# a newer Wine has upgraded is no use to an older one. The root must see
# this checkout, DIR and the current folder at their own paths.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
dir=${YORV_WINE_DIR:-$here/../build/windows/wine}
if [ "${1:-}" = "--prefix" ]; then
    dir=$2
    shift 2
fi
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)

if [ -n "${YORV_WINE_ROOT:-}" ]; then
    root=$YORV_WINE_ROOT
    dir=$dir-$(basename "$root")
    mkdir -p "$dir"
    for path in "$here" "$dir" "$PWD"; do
        if [ ! "$path" -ef "$root$path" ]; then
            echo "wine-run: $path is not mounted at the same path in $root" >&2
            exit 1
        fi
    done
    # chroot starts in /: back to the current folder there. The Wine of the
    # root is the one on its PATH.
    # shellcheck disable=SC2016
    exec chroot "$root" /usr/bin/env -u YORV_WINE_ROOT PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin \
        bash -c 'cd "$1" && shift && exec bash "$@"' wine-run "$PWD" "$here/wine-run.sh" --prefix "$dir" "$@"
fi

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --prefix "$dir" "$@"
fi

export WINEPREFIX="$dir/prefix"
export HOME="$dir/home"
# A benchmark may keep its recycle bin apart from the tests' own.
export XDG_DATA_HOME="${YORV_XDG_DATA_HOME:-$HOME/.local/share}"
export XDG_CONFIG_HOME="$HOME/.config"
export XDG_CACHE_HOME="$HOME/.cache"
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine writes Unix file names in the locale's character set: with no locale
# set at all (a container's bare environment) that is ASCII, and a name such
# as "Été Mod" cannot be made.
if [ -z "${LC_ALL:-}${LC_CTYPE:-}${LANG:-}" ]; then
    export LANG=C.UTF-8
fi
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
# The trash is made when missing, and otherwise left as it is: a test that
# makes it unusable and is stopped midway must not stop every program after
# it from starting.
[ -e "$XDG_DATA_HOME/Trash" ] || [ -L "$XDG_DATA_HOME/Trash" ] || mkdir -p "$XDG_DATA_HOME/Trash"

# Create the prefix once; concurrent callers wait for the first.
(
    flock 9
    if [ ! -f "$WINEPREFIX/.yorv-ready-3" ]; then
        wineboot -i >/dev/null 2>&1 || true
        wineserver -w || true
        # A crashing program must end, not wait in the debugger. Wine starts
        # its own (winedbg --auto) even with no Debugger set here, and that
        # shows a crash dialog and waits for a click unless ShowCrashDialog
        # is 0: then it prints the backtrace to stderr, the test's log, and
        # the program ends at once.
        wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f \
            >/dev/null 2>&1 || true
        if ! wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1; then
            echo "wine-run: could not turn Wine's crash dialog off in $WINEPREFIX" >&2
            exit 1
        fi
        # On a bare X server no window manager answers, and Wine waits for one
        # each time a captioned window is hidden. The test and benchmark
        # programs have Wine manage their windows itself; the launcher, run
        # on a desktop, keeps the window manager's frames.
        for program in wine_tests wine_launch_tests wine_about_tests wine_remove_tests \
                       bench_scan bench_launch bench_about bench_remove; do
            wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$program.exe\\X11 Driver" /v Managed /d N /f \
                >/dev/null 2>&1 || true
        done
        wineserver -w || true
        touch "$WINEPREFIX/.yorv-ready-3"
    fi
) 9>"$dir/.lock"

# "wineserver -k" and the like act on this prefix's server.
if [ "${1:-}" = "wineserver" ]; then
    shift
    exec wineserver "$@"
fi
# Wine's own services start with the first program of a session and keep its
# standard error, so a fault of theirs (seen: winedevice.exe, at a session's
# start under load) would land in the program's log as if the program had
# faulted. A program of Wine's own opens the session, its output kept apart;
# the server stays up a few seconds after it, long enough for the program to
# join the session.
wine cmd /c exit >>"$dir/session.log" 2>&1 </dev/null || true
exec wine "$@"
