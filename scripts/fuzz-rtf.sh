#!/bin/bash
# Fuzzes the RTF reader of letters and templates for a bounded time.
#
#   scripts/fuzz-rtf.sh [SECONDS]      (default 300)
#
# Builds the libFuzzer target with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz/, starts from the sample letters
# and the kept regression inputs, and stops after SECONDS, at a crash, at an
# input that takes more than 10 s, or at 2 GB of memory. An input that made
# it fail is written to build-fuzz/found/; keep it in
# tests/letters/fuzz-regressions/ once mended, where letters_test reads it
# on every run. Needs clang and libclang-rt-dev (not needed by ./test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
build=build-fuzz
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DDORPAK_FUZZ=ON >/dev/null
cmake --build "$build" --target rtf_fuzz
corpus="$build/corpus"
mkdir -p "$corpus" "$build/found"
cp tests/letters/samples/*.rtf tests/letters/fuzz-regressions/* "$corpus/"
export QT_QPA_PLATFORM=offscreen
# Qt's own caches live as long as the process: leaks are not looked for.
export ASAN_OPTIONS=detect_leaks=0
"$build/tests/letters/rtf_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -malloc_limit_mb=1024 -max_len=65536 -dict=tests/letters/fuzz/rtf.dict \
  -artifact_prefix="$build/found/" -print_final_stats=1 "$corpus"
