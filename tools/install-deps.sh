#!/usr/bin/env bash
# Installs what the build, the tests and the demo need from Debian's
# packages, when it is missing, on Debian 12 or 13. Run as root (or with sudo
# available).
set -euo pipefail

packages=(
    cmake ninja-build
    mingw-w64 g++-mingw-w64-x86-64-posix
    wine wine64
    xvfb xauth x11-utils imagemagick
    doctest-dev
    # The sanitizers' and libFuzzer's runtime for the default clang, whichever
    # version the release has (14 on Debian 12, 19 on Debian 13).
    clang libclang-rt-dev
    locales
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
