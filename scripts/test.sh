#!/usr/bin/env bash
# Installs what is needed, builds and runs every test: once in a normal build and once more
# under AddressSanitizer and UndefinedBehaviorSanitizer, where any report fails the test.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

jobs=$(nproc)
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs" --timeout 300

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DRATEWRIGHT_SANITIZE=ON
cmake --build build-asan -j"$jobs"
ctest --test-dir build-asan --output-on-failure -j"$jobs" --timeout 600 -LE bench
echo "All tests passed in the normal and the sanitizer build."
