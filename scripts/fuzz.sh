#!/usr/bin/env bash
# Builds a libFuzzer target with clang-14 (ASan + UBSan) and runs it:
#   scripts/fuzz.sh TARGET SECONDS [extra libFuzzer flags]
set -euo pipefail
cd "$(dirname "$0")/.."
target=$1
seconds=${2:-60}
shift 2 || true
build_dir=${FUZZ_BUILD_DIR:-build-fuzz}
if ! command -v clang++-14 >/dev/null; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get install -y -qq clang-14 libclang-rt-14-dev
fi
CC=clang-14 CXX=clang++-14 cmake -S . -B "$build_dir" -DLUMIVANE_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=undefined" >/dev/null
cmake --build "$build_dir" --target "$target" -j"$(nproc)"
corpus="fuzz-corpus/$target"
mkdir -p "$corpus"
[ -d "fuzz/seeds/$target" ] && cp -n fuzz/seeds/"$target"/* "$corpus"/ 2>/dev/null || true
"$build_dir/fuzz/$target" "$corpus" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=1 "$@"
