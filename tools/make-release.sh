#!/usr/bin/env bash
# Packs the launcher for players: a zip holding YorvFrontEnd.exe, an example
# YMOD.DIZ for YMod authors and the player's read-me, all at the top level.
# The text files get CR LF line ends whatever the checkout has.
#
#   tools/make-release.sh [BUILD_DIR [OUTPUT_ZIP]]
#       BUILD_DIR   a built Windows tree (default build/windows)
#       OUTPUT_ZIP  default BUILD_DIR/YorvFrontEnd-<version>.zip
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source_dir=$(cd "$here/.." && pwd)
build=${1:-$source_dir/build/windows}
build=$(cd "$build" && pwd)
version=2.0
output=${2:-$build/YorvFrontEnd-$version.zip}

exe="$build/YorvFrontEnd.exe"
if [ ! -f "$exe" ]; then
    echo "make-release: $exe not found; build the tree first" >&2
    exit 1
fi

mkdir -p "$(dirname "$output")"
output=$(cd "$(dirname "$output")" && pwd)/$(basename "$output")
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

cp "$exe" "$stage/YorvFrontEnd.exe"
for name in YMOD.DIZ ReadMe.txt; do
    # Any line end in, CR LF out.
    sed -e 's/\r$//' -e 's/$/\r/' "$source_dir/resources/$name" > "$stage/$name"
done

rm -f "$output"
(cd "$stage" && cmake -E tar cf "$output" --format=zip YorvFrontEnd.exe YMOD.DIZ ReadMe.txt)
echo "$output"
