#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds, and runs every test: the suite, a short run of every
# fuzz target, and the suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
# QUILLMONT_FUZZ_RUNS sets how many inputs each fuzz target tries (default 8000, 0 leaves it out),
# always from the same seed so that a run here repeats exactly; longer, random runs are fuzz.sh's own;
# QUILLMONT_SANITIZERS=0 leaves out the sanitizer run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j 2 --timeout 600)

fuzz_runs=${QUILLMONT_FUZZ_RUNS:-8000}
if [ "$fuzz_runs" != 0 ]; then
  bash scripts/fuzz.sh -r "$fuzz_runs" -s 1 -t 60
fi
if [ "${QUILLMONT_SANITIZERS:-1}" != 0 ]; then
  bash scripts/sanitizers.sh
fi
