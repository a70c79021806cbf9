#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the main build under
# a private X server, the unit tests once more under AddressSanitizer and
# UndefinedBehaviorSanitizer, the fuzzers for a bounded time, and the package.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)

echo "== Build and test (build/)"
cmake -S . -B build -G Ninja -DRZ_WERROR=ON
cmake --build build -j "$jobs"
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
  ctest --test-dir build --output-on-failure --timeout 600 -j "$jobs"

echo "== Unit tests under AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/)"
cmake -S . -B build-asan -G Ninja -DRZ_WERROR=ON -DRZ_SANITIZE=ON -DRZ_GUI=OFF \
  -DCMAKE_BUILD_TYPE=Debug
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure --timeout 600 -j "$jobs" -L unit

if [ -x scripts/fuzz.sh ]; then
  echo "== Fuzzers (build-fuzz/)"
  scripts/fuzz.sh
fi

if [ -x scripts/check-package.sh ]; then
  echo "== Package"
  scripts/check-package.sh
fi

echo "== All tests passed"
