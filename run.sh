#!/usr/bin/env bash
# Installs what is missing, builds the optimised build and starts the program.
set -euo pipefail
cd "$(dirname "$0")"

tools/scripts/setup.sh
tools/scripts/build.sh release quendrill
exec build/release/app/quendrill "$@"
