#!/usr/bin/env bash
# Builds and runs every test: once in a plain debug build, once built with
# clang under AddressSanitizer and UndefinedBehaviorSanitizer together with
# short runs of the fuzz targets.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
jobs="$(nproc)"
# Many tests wait on a pseudo-terminal or a time-out rather than compute:
# twice as many at once as there are cores keeps the cores busy.
test_jobs=$((2 * jobs))

"$root/scripts/setup.sh" "$root/build" -DCMAKE_BUILD_TYPE=Debug
ctest --test-dir "$root/build" -j"$test_jobs" --output-on-failure --timeout 300

CXX=clang++ "$root/scripts/setup.sh" "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_COMPILER=clang++ -DQUILLON_SANITIZE=ON -DQUILLON_FUZZ=ON -DQUILLON_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$root/build-asan" -j"$test_jobs" --output-on-failure --timeout 300
