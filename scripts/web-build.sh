#!/usr/bin/env bash
# Builds the web pages (BUILD_DIR/index.html and explorer.html, each with its
# .js and .wasm) with Debian's Emscripten, puts the explorer's plotting
# library beside them, and installs the pinned npm packages (the plotting
# library, the browser tests' puppeteer-core) when they are missing or out of
# date. Usage: web-build.sh BUILD_DIR
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "${1:-build-web}"
build=$(cd "${1:-build-web}" && pwd)
# Debian's node does not look in Debian's own module folder, where
# Emscripten's JavaScript tools find acorn.
export NODE_PATH=/usr/share/nodejs
if [[ ! -f $build/CMakeCache.txt ]]; then
  emcmake cmake -S "$top/web" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build"

# The explorer page's plotting library, exactly as pinned in web/'s lock
# file, served beside the page.
cd "$top/web"
if ! cmp -s package-lock.json node_modules/.installed-lock 2>/dev/null; then
  npm ci --no-audit --no-fund --loglevel=error
  cp package-lock.json node_modules/.installed-lock
fi
cp node_modules/uplot/dist/uPlot.iife.min.js node_modules/uplot/dist/uPlot.min.css "$build/"

# puppeteer-core, exactly as pinned in the lock file.
cd "$top/tests/web"
if ! cmp -s package-lock.json node_modules/.installed-lock 2>/dev/null; then
  npm ci --no-audit --no-fund --loglevel=error
  cp package-lock.json node_modules/.installed-lock
fi
