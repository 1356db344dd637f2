#!/usr/bin/env bash
# Runs mouldview on the bundled example: started in the example's directory without arguments, it
# reads GeneralCourse.txt there. Then prints the mouldexport summary of the same climate file.
set -euo pipefail
build=$(cd "$1" && pwd)
example=$2
example_dir=$(cd "$(dirname "$example")" && pwd)
(cd "$example_dir" && "$build/mouldview")
"$build/mouldexport" --climate "$example_dir/$(basename "$example")" --summary
