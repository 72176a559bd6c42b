#!/usr/bin/env bash
# Builds into build-sanitize/ (or $SAN_BUILD_DIR) with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs every test there, leak-checked with the
# suppressions of tests/lsan.supp:
#   scripts/sanitize.sh [-jN] [more ctest arguments, e.g. -R headless]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build_dir=${SAN_BUILD_DIR:-build-sanitize}
jobs=-j"$(nproc)"
if [[ ${1:-} == -j* ]]; then jobs=$1; shift; fi
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMIVANE_BENCH=OFF "${launcher[@]}" \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer" \
  >/dev/null
cmake --build "$build_dir" "$jobs"
export ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1
export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$build_dir"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure "$jobs" --timeout 1500 "$@"
