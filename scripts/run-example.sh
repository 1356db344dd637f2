#!/usr/bin/env bash
# Runs the model on the bundled example climate file and prints its summary.
set -euo pipefail
build=$1
example=$2
"$build/mouldexport" --climate "$example" --summary
