#!/usr/bin/env bash
# Installs what is missing, builds the optimised and the sanitizer build, and
# runs the whole test suite in both.
set -euo pipefail
cd "$(dirname "$0")"

tools/scripts/setup.sh
jobs=${JOBS:-$(nproc)}

export ASAN_OPTIONS=detect_stack_use_after_return=0:detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

status=0
for kind in release asan; do
  echo "=== $kind build"
  tools/scripts/build.sh "$kind"
  echo "=== $kind tests"
  if ! ctest --test-dir "build/$kind" --output-on-failure -j "$jobs" --timeout 600; then
    status=1
  fi
done
exit $status
