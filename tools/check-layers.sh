#!/usr/bin/env bash
# Checks that the program's folders depend on each other one way only, and
# that every file names the project's headers from the top of the tree
# ("core/Catalogue.h", never "../core/Catalogue.h" or "Catalogue.h").
#
#   tools/check-layers.sh [SOURCE_DIR]
#
# Each folder may include from itself and from the folders below it:
#
#   Main                  the main window and the entry point
#   AboutBox   working    side by side: neither uses the other
#   ui                    the program-wide window plumbing
#   core   resources
#
# tests/, bench/ and tools/ may include anything. Prints every include that
# breaks a rule and fails if there is one.
set -euo pipefail

cd "${1:-$(dirname "${BASH_SOURCE[0]}")/..}"

declare -A uses=(
    [core]="core"
    [resources]="resources"
    [ui]="ui core resources"
    [AboutBox]="AboutBox ui core resources"
    [working]="working ui core resources"
    [Main]="Main AboutBox working ui core resources"
)

checked=0
bad=0
while IFS=: read -r file line text; do
    file=${file#./}
    header=${text#*\"}
    header=${header%%\"*}
    from=${file%%/*}
    to=${header%%/*}
    checked=$((checked + 1))
    if [[ $header == *..* || ! -f $header ]]; then
        echo "$file:$line: \"$header\" is not named from the top of the tree"
        bad=$((bad + 1))
    elif [[ -n ${uses[$from]+set} && " ${uses[$from]} " != *" $to "* ]]; then
        echo "$file:$line: $from/ may not include from $to/: \"$header\""
        bad=$((bad + 1))
    fi
done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' --include='*.h' --include='*.cpp' \
             --exclude-dir=build --exclude-dir=out --exclude-dir=.git . | sort)

if [ "$bad" -gt 0 ]; then
    echo "layers: $bad of $checked includes break the layering"
    exit 1
fi
echo "layers: all $checked includes go one way, named from the top of the tree"
