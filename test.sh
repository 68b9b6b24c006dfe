#!/usr/bin/env bash
# Sets up what is missing, builds, and runs every test with CTest.
#   ./test.sh             the plain build, in build/
#   ./test.sh --sanitize  AddressSanitizer and UBSan, in build-sanitize/
# DORPAK_TEST_SERVER_PORT (default 3051) moves the private test server, so
# that two checkouts can run their tests side by side.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh

build=build
port=${DORPAK_TEST_SERVER_PORT:-3051}
options=(-DDORPAK_TEST_SERVER_PORT="$port")
if [ "${1:-}" = "--sanitize" ]; then
  build=build-sanitize
  options+=(-DDORPAK_SANITIZE=ON)
  export ASAN_OPTIONS=detect_leaks=0
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "${options[@]}"
cmake --build "$build"

# CTest starts the private Firebird server on 127.0.0.1 before the tests and
# stops it after them; the trap covers an interrupted run.
trap 'tests/fbserver.sh stop "$PWD/$build/testrun/fbserver" "$port" >/dev/null 2>&1 || true' EXIT
cd "$build"
ctest --output-on-failure -j "$(nproc)"
