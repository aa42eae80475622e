#!/usr/bin/env bash
# The engine's unit tests and the fuzz seeds under AddressSanitizer and UBSan (gcc,
# Debug). CI runs it after the test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-asan}
targets=(weights_reader_fuzz mars_parser_fuzz code_export_fuzz)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKDK_BUILD_GUI=OFF \
  -DKDK_BUILD_BENCH=OFF -DKDK_FUZZ_REPLAY=ON -DKDK_WERROR=ON \
  "-DCMAKE_CXX_FLAGS=-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake --build "$build" -j "$(nproc)" --target kdk_core_tests kdk_engine_tests \
  "${targets[@]/%/_replay}"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
"$build/bin/kdk_core_tests" --gtest_brief=1
"$build/bin/kdk_engine_tests" --gtest_brief=1
for target in "${targets[@]}"; do "$build/bin/${target}_replay" "fuzz/seeds/$target"; done
