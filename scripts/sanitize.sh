#!/usr/bin/env bash
# Builds the chart model's and the layout file's tests with AddressSanitizer and
# UndefinedBehaviorSanitizer into ./build-asan (those test programs and what they
# link, nothing else) and runs them. Fails on the first failing test or
# sanitizer report (leaks included). Unoptimised: it builds in less time than
# the optimised build takes, and the tests still run in seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSKERRA_CANVAS_ASAN=ON \
  -DSKERRA_BUILD_BENCH=OFF "-DCMAKE_CXX_FLAGS=${flags}" >/dev/null
tests=(canvas/canvas_model_tests chartfiles/chartfiles_layout_tests)
cmake --build build-asan -j"$(nproc)" --target "${tests[@]##*/}"
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1
for test in "${tests[@]}"; do
  echo "running ${test##*/} under AddressSanitizer and UBSan"
  "build-asan/tests/${test}" --gtest_brief=1
done
