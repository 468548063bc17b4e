#!/usr/bin/env bash
# Configures and builds Skerra into ./build: everything (programs, tests, benchmarks),
# or only the targets named, e.g.  bash scripts/build.sh skerra skerra-simulator
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=()
(($#)) && targets=(--target "$@")
cmake --build build -j"$(nproc)" "${targets[@]}"
