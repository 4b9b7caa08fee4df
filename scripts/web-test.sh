#!/usr/bin/env bash
# The browser tests: the desktop program's pictures made in this run, on a
# private display, then the web page driven in headless Chromium.
# Usage: web-test.sh DESKTOP_BUILD_DIR WEB_BUILD_DIR
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
desktop=$(cd "$1" && pwd)
web=$(cd "$2" && pwd)
pictures=$(mktemp -d)
trap 'rm -rf "$pictures"' EXIT
"$top/scripts/with-display.sh" "$desktop/tests/desktop_pictures" "$desktop/spinning-box" "$pictures"
"$top/scripts/with-display.sh" "$desktop/tests/desktop_explorer_pictures" \
  "$desktop/spinning-box-explorer" "$pictures"
cd "$top/tests/web"
BUILD_WEB=$web DESKTOP_PICTURES=$pictures DESKTOP_BUILD=$desktop node --test --test-reporter=tap \
  web_test.mjs explorer_test.mjs
