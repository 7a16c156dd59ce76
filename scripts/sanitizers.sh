#!/usr/bin/env bash
# Builds the whole project with AddressSanitizer and UndefinedBehaviorSanitizer (the asan-ubsan
# preset, in build-asan/) and runs every test there. Any report ends its test as a failure: leaks
# included, and undefined behaviour stops at the first finding instead of printing and going on.
set -euo pipefail
cd "$(dirname "$0")/.."

# Exported before the build, which runs the template tool it has just built.
export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=0:detect_stack_use_after_return=1:strict_string_checks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0

if [ ! -f build-asan/build.ninja ]; then
  cmake --preset asan-ubsan >/dev/null
fi
cmake --build build-asan -j "$(nproc)"
cd build-asan
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j 2 --timeout 900
