#!/usr/bin/env bash
# Installs what is missing, builds the optimised build and starts the program:
# in a window where there is a display; without one (and without options) it
# plays a few seconds headless and keeps the last frame as a screenshot.
set -euo pipefail
cd "$(dirname "$0")"

tools/scripts/setup.sh
tools/scripts/build.sh release quendrill
program=build/release/app/quendrill

if [[ $# -eq 0 && -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  screenshot="$PWD/build/release/screenshot.png"
  "$program" --headless --frames 150 --screenshot "150:$screenshot"
  echo "No display here: the program ran 150 frames headless; its last frame is in $screenshot"
  exit 0
fi
exec "$program" "$@"
