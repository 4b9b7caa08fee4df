#!/usr/bin/env bash
# Builds the web page (BUILD_DIR/index.html, .js and .wasm) with Debian's
# Emscripten, and installs the browser tests' pinned npm packages when they
# are missing or out of date. Usage: web-build.sh BUILD_DIR
set -euo pipefail
build=${1:-build-web}
top=$(cd "$(dirname "$0")/.." && pwd)
# Debian's node does not look in Debian's own module folder, where
# Emscripten's JavaScript tools find acorn.
export NODE_PATH=/usr/share/nodejs
if [[ ! -f $build/CMakeCache.txt ]]; then
  emcmake cmake -S "$top/web" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build"

# puppeteer-core, exactly as pinned in the lock file.
cd "$top/tests/web"
if ! cmp -s package-lock.json node_modules/.installed-lock 2>/dev/null; then
  npm ci --no-audit --no-fund --loglevel=error
  cp package-lock.json node_modules/.installed-lock
fi
