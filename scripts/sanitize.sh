#!/usr/bin/env bash
# Builds everything again with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs the test suite on that build. Usage: sanitize.sh BUILD_DIR
set -euo pipefail
build=${1:-build-sanitize}
top=$(cd "$(dirname "$0")/.." && pwd)
flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
# Mesa loads its GLX library and driver with dlopen and unloads them at exit,
# before the leak check, which then cannot name them. Preloaded, they stay.
libdir=/usr/lib/x86_64-linux-gnu
preload="$(g++ -print-file-name=libasan.so) $libdir/libGLX_mesa.so.0 $libdir/dri/swrast_dri.so"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DTEST_LD_PRELOAD="$preload" -DPLANTED_LEAK_TEST=ON >/dev/null
cmake --build "$build" -j 2
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export LSAN_OPTIONS=suppressions=$top/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j 2 -LE soak
