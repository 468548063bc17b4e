#!/usr/bin/env bash
# Builds the fuzz targets (clang's libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer) into ./build-fuzz and runs each for a short while.
# Fails on the first crash, leak or sanitizer report; the input that caused it is
# left in build-fuzz/artifacts/.
#   FUZZ_SECONDS   seconds per target (default 15)
#   QMT_FUZZ_SECONDS  seconds of the layout-file reader (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-15}"

installed() { [ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" = "install ok installed" ]; }
if ! installed clang-14 || ! installed libclang-rt-14-dev; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends clang-14 libclang-rt-14-dev >/dev/null
fi

cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build build-fuzz -j"$(nproc)"

mkdir -p build-fuzz/artifacts
for target in scan_format nmea sounder_line gnss_lines rtcm ntrip ini display_settings svp_cast kml kmz xyz language_file qmt dxf; do
  work="build-fuzz/work/${target}"   # inputs found by earlier runs; the seeds stay untouched
  mkdir -p "${work}"
  time="${seconds}"
  [ "${target}" = qmt ] && time="${QMT_FUZZ_SECONDS:-60}"
  # The DXF import reads whole drawings: it gets at least a minute.
  [ "${target}" = dxf ] && [ "${time}" -lt 60 ] && time=60
  options=(-max_total_time="${time}" -artifact_prefix=build-fuzz/artifacts/ -print_final_stats=1)
  [ -f "fuzz/${target}.dict" ] && options+=(-dict="fuzz/${target}.dict")
  echo "fuzzing ${target} for ${time} s"
  "build-fuzz/fuzz_${target}" "${options[@]}" "${work}" "fuzz/corpus/${target}" 2>"build-fuzz/${target}.log" \
    || { tail -n 60 "build-fuzz/${target}.log"; echo "fuzz_${target} failed" >&2; exit 1; }
  grep -E "^stat::number_of_executed_units" "build-fuzz/${target}.log" || true
done
