#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds, puts a sample picture next to the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
[ -f build/sample.jpg ] || bash scripts/sample.sh build/sample.jpg
echo "The sample picture opens at start: pick a kind (寬度, 圓, …) and click on the picture."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting under a virtual X server (xvfb-run)."
  exec xvfb-run -a -s "-screen 0 1280x1024x24" ./build/quillmont build/sample.jpg
fi
exec ./build/quillmont build/sample.jpg
