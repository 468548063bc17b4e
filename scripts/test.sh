#!/usr/bin/env bash
# Installs what is missing, builds Skerra and runs every test (no display needed).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# Number texts are tested under locales with a decimal comma.
for loc in tr_TR.UTF-8 de_DE.UTF-8; do
  grep -q "^${loc} UTF-8" /etc/locale.gen 2>/dev/null || echo "${loc} UTF-8" >> /etc/locale.gen
done
locale-gen >/dev/null
bash scripts/build.sh
# The readers of outside input, fuzzed briefly under ASan and UBSan.
bash scripts/fuzz.sh
# The chart model's and the layout file's tests under ASan and UBSan.
bash scripts/sanitize.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build -j"$(nproc)" --output-on-failure --timeout 300
