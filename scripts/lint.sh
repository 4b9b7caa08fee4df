#!/usr/bin/env bash
# clang-tidy on the project's own sources, then a formatting check.
# Usage: lint.sh BUILD_DIR (a configured build with compile_commands.json)
set -euo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."
sources=$(git ls-files 'src/*.cpp')
clang-tidy -p "$build" --quiet $sources 2> >(grep -v "warnings generated" >&2)
clang-format --dry-run --Werror $(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'web/*.cpp' 'web/*.h')
echo "lint: clean"
