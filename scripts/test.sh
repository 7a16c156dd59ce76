#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds, and runs every test: the suite, a short run of every
# fuzz target, and the suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
# QUILLMONT_FUZZ_SECONDS sets the fuzz run per target (default 20, 0 leaves it out);
# QUILLMONT_SANITIZERS=0 leaves out the sanitizer run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j 2 --timeout 600)

fuzz_seconds=${QUILLMONT_FUZZ_SECONDS:-20}
if [ "$fuzz_seconds" != 0 ]; then
  bash scripts/fuzz.sh -t "$fuzz_seconds"
fi
if [ "${QUILLMONT_SANITIZERS:-1}" != 0 ]; then
  bash scripts/sanitizers.sh
fi
