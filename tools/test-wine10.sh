#!/usr/bin/env bash
# Runs the Wine tests of the built tree build/windows (tools/test.sh builds
# it first) once more under Debian 13's Wine 10, in a Debian 13 root made
# with debootstrap from the mirror this machine's apt uses.
#
#   tools/test-wine10.sh [--prepare] [ctest arguments...]
#
# The root is made once per machine, in
# ${XDG_CACHE_HOME:-$HOME/.cache}/yorv-frontend/trixie-wine10 (or
# $YORV_WINE10_ROOT), and reused by later runs and other checkouts. ctest runs
# here, with build/windows's own test list; tools/wine-run.sh enters the root
# for every Wine program because YORV_WINE_ROOT names it, and keeps a prefix
# of Wine 10's own beside Wine 8's. The root sees /proc, /dev, /dev/shm, the
# X server's sockets and this checkout (at the same path), mounted in a mount
# namespace of this script's own, so that they go when it ends, however it
# ends.
#
# Where the root cannot be made or entered (not root, not Debian, no mount
# or chroot allowed, debootstrap or the mirror failing), or where the
# system's own Wine is already 10 or newer, it says "skipped: ..." and exits
# 0. --prepare only makes sure the root is there (exiting 77 where it would
# skip), so that tools/test.sh can make it before its first Wine run.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
checkout=$PWD
build=$checkout/build/windows
arguments=("$@")

prepare_only=0
if [ "${1:-}" = "--prepare" ]; then
    prepare_only=1
    shift
fi

skip() {
    echo "test-wine10: skipped: $*"
    [ "$prepare_only" -eq 1 ] && exit 77
    exit 0
}

# Bumped when what the root holds changes, so that older roots are made anew.
root_version=1
root=${YORV_WINE10_ROOT:-${XDG_CACHE_HOME:-$HOME/.cache}/yorv-frontend/trixie-wine10}
# Spelled as the system spells a process's root, to find those left in it.
root=$(realpath -m "$root")
stamp=$root/.yorv-root-$root_version

# Only worth it where the system's own Wine is older.
if command -v wine >/dev/null 2>&1; then
    system_wine=$(wine --version 2>/dev/null || true)
    major=${system_wine#wine-}
    major=${major%%.*}
    if [[ $major =~ ^[0-9]+$ ]] && [ "$major" -ge 10 ]; then
        skip "the system's own Wine is already $system_wine, which tools/test.sh runs the tests under"
    fi
fi

[ "$(id -u)" -eq 0 ] || skip "making and entering a Debian 13 root needs root (debootstrap, mount, chroot)"

# Everything else happens in a mount namespace of its own.
if [ -z "${YORV_WINE10_NAMESPACE:-}" ]; then
    probe=$(mktemp -d)
    # shellcheck disable=SC2016
    if ! unshare --mount --propagation private sh -c 'mount --bind "$1" "$1" && chroot / true' sh "$probe" \
        >/dev/null 2>&1; then
        rmdir "$probe"
        skip "this system allows no private mounts or no chroot (a container?), so no Debian 13 root can be entered"
    fi
    rmdir "$probe"
    export YORV_WINE10_NAMESPACE=1
    exec unshare --mount --propagation private "$checkout/tools/test-wine10.sh" "${arguments[@]}"
fi

# Unmounts what is mounted under a folder, deepest first; fails if anything
# stays.
unmount_under() {
    local dir=$1 mounts
    mounts=$(awk -v d="$dir/" 'index($2 "/", d) == 1 { print $2 }' /proc/self/mounts | sort -r)
    if [ -n "$mounts" ]; then
        while read -r m; do
            umount "$m" 2>/dev/null || umount -l "$m" 2>/dev/null || true
        done <<<"$mounts"
    fi
    ! awk -v d="$dir/" 'index($2 "/", d) == 1 { found = 1 } END { exit !found }' /proc/self/mounts
}

# The mirror apt uses for this system's own release, from the one-line
# (sources.list, *.list) or the deb822 (*.sources) form.
apt_mirror() {
    local codename files=()
    # shellcheck source=/dev/null
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    [ -n "$codename" ] || return 1
    [ -f /etc/apt/sources.list ] && files+=(/etc/apt/sources.list)
    shopt -s nullglob
    files+=(/etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources)
    shopt -u nullglob
    [ ${#files[@]} -gt 0 ] || return 1
    awk -v want="$codename" '
        function emit(types, uris, suites,   n, s, i, u) {
            if (types !~ /(^|[ \t])deb([ \t]|$)/ || enabled == "no") return
            n = split(suites, s, /[ \t]+/)
            split(uris, u, /[ \t]+/)
            for (i = 1; i <= n; i++) if (s[i] == want && u[1] != "") { print u[1]; found = 1; exit }
        }
        function flush() { emit(types, uris, suites); types = uris = suites = ""; enabled = "" }
        FNR == 1 { flush() }
        /^[ \t]*#/ { next }
        FILENAME ~ /\.sources$/ {
            if ($0 ~ /^[ \t]*$/) { flush(); next }
            key = tolower($1); value = $0; sub(/^[^:]*:[ \t]*/, "", value)
            if (key == "types:") types = value
            else if (key == "uris:") uris = value
            else if (key == "suites:") suites = value
            else if (key == "enabled:") enabled = tolower(value)
            next
        }
        $1 == "deb" {
            i = 2
            if ($2 ~ /^\[/) { while (i <= NF && $i !~ /\]$/) i++; i++ }
            emit("deb", $i, $(i + 1))
        }
        END { if (!found) flush() }
    ' "${files[@]}" | head -n 1
}

# Makes the root in a folder beside its place and moves it there whole, so
# that an interrupted run never leaves a root that later runs trust.
make_root() {
    grep -qx 'ID=debian' /etc/os-release || skip "not a Debian system: no Debian mirror to make the root from"
    local mirror
    mirror=$(apt_mirror) || true
    [ -n "$mirror" ] || skip "no Debian mirror for this release in apt's sources to make the Debian 13 root from"
    if ! command -v debootstrap >/dev/null 2>&1; then
        echo "test-wine10: installing debootstrap"
        { DEBIAN_FRONTEND=noninteractive apt-get update -qq \
            && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap; } \
            >/dev/null || skip "debootstrap could not be installed"
    fi

    # What an interrupted run left (its mounts went with its namespace).
    local stale
    for stale in "$root".new.*; do
        [ -e "$stale" ] || continue
        if unmount_under "$stale"; then rm -rf "$stale"; fi
    done

    staging=$(mktemp -d "$root.new.XXXXXX")
    chmod 755 "$staging"
    log=$staging.log
    # shellcheck disable=SC2317  # called by the trap
    discard_staging() {
        # Never delete through a mount that is still there (it could be /dev).
        if unmount_under "$staging"; then rm -rf "$staging"; fi
        rm -f "$log"
    }
    trap discard_staging EXIT
    failed() {
        tail -n 20 "$log" | sed 's/^/    /'
        skip "the Debian 13 root could not be made: $1 (the lines above end its log)"
    }

    echo "test-wine10: making the Debian 13 root with Wine 10 in $root from $mirror (once per machine)"
    debootstrap --variant=minbase trixie "$staging" "$mirror" >"$log" 2>&1 || failed "debootstrap failed"
    cp -L /etc/resolv.conf "$staging/etc/resolv.conf" 2>/dev/null || true
    # No services start in the root.
    printf '#!/bin/sh\nexit 101\n' >"$staging/usr/sbin/policy-rc.d"
    chmod +x "$staging/usr/sbin/policy-rc.d"
    mount --bind /proc "$staging/proc" || failed "/proc could not be mounted"
    mount --bind /dev "$staging/dev" || failed "/dev could not be mounted"
    chroot "$staging" env DEBIAN_FRONTEND=noninteractive apt-get update >>"$log" 2>&1 \
        || failed "apt-get update failed"
    # xvfb and xauth for tools/wine-run.sh run there without a display;
    # locales for localedef.
    chroot "$staging" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y --no-install-recommends wine wine64 xvfb xauth locales >>"$log" 2>&1 \
        || failed "apt-get install failed"
    chroot "$staging" apt-get clean >>"$log" 2>&1 || true
    chroot "$staging" wine --version >"$staging/.yorv-wine-version" 2>>"$log" || failed "its Wine does not start"
    unmount_under "$staging" || failed "its mounts could not be undone"
    touch "$staging/.yorv-root-$root_version"
    # An older root makes way.
    if [ -e "$root" ]; then
        unmount_under "$root" || failed "the older root in its place is still mounted"
        rm -rf "$root"
    fi
    mv -T "$staging" "$root"
    rm -f "$log"
    trap - EXIT
    echo "test-wine10: made the root: Debian $(cat "$root/etc/debian_version"), $(cat "$root/.yorv-wine-version")"
}

if [ ! -f "$stamp" ]; then
    mkdir -p "$(dirname "$root")"
    # One run makes it; another waits and then uses it.
    exec 8>"$root.lock"
    flock 8
    [ -f "$stamp" ] || make_root
    exec 8>&-
fi
[ "$prepare_only" -eq 1 ] && exit 0

if [ ! -f "$build/CTestTestfile.cmake" ]; then
    echo "test-wine10: $build is not built; tools/test.sh builds it" >&2
    exit 1
fi

xvfb_pid=""
# shellcheck disable=SC2317  # called by the trap
cleanup() {
    tools/wine-run.sh --prefix "$build/wine" wineserver -k >/dev/null 2>&1 || true
    # What still runs in the root from this namespace (another prefix's
    # wineserver) ends before the mounts go.
    local namespace proc left
    namespace=$(readlink /proc/self/ns/mnt)
    for _ in $(seq 50); do
        left=0
        for proc in /proc/[0-9]*; do
            [ "$(readlink "$proc/root" 2>/dev/null)" = "$root" ] || continue
            [ "$(readlink "$proc/ns/mnt" 2>/dev/null)" = "$namespace" ] || continue
            left=1
            kill "${proc#/proc/}" 2>/dev/null || true
        done
        [ "$left" -eq 0 ] && break
        sleep 0.1
    done
    unmount_under "$root" || echo "test-wine10: could not unmount everything under $root" >&2
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
    display=:$((90 + RANDOM % 100))
    Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=$display
    for _ in $(seq 50); do [ -S "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
fi

for dir in /proc /dev /dev/shm /tmp/.X11-unix "$checkout"; do
    [ -d "$dir" ] || continue
    mkdir -p "$root$dir"
    mount --bind "$dir" "$root$dir"
done

export YORV_WINE_ROOT=$root
# Create the prefix before the tests start in parallel.
tools/wine-run.sh --prefix "$build/wine" cmd /c exit 0 >/dev/null 2>&1 || true

echo "test-wine10: the tests of build/windows under Debian 13's $(cat "$root/.yorv-wine-version")"
ctest --preset windows "$@"
