#!/usr/bin/env bash
# build.sh release|asan [targets...]: configures and builds one of the two builds.
set -euo pipefail
cd "$(dirname "$0")/../.."

kind=${1:-release}
shift || true
jobs=${JOBS:-$(nproc)}
case "$kind" in
  release) options=(-DCMAKE_BUILD_TYPE=Release) ;;
  asan) options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" -DQUENDRILL_SANITIZE=ON -DQUENDRILL_BENCH=OFF) ;;
  *) echo "usage: build.sh release|asan [targets...]" >&2; exit 2 ;;
esac

directory=build/$kind
if [[ ! -f $directory/build.ninja ]]; then
  cmake -S . -B "$directory" -G Ninja "${options[@]}"
fi
if (($#)); then
  cmake --build "$directory" -j "$jobs" --target "$@"
else
  cmake --build "$directory" -j "$jobs"
fi
