#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each one for
# a bounded time (RZ_FUZZ_SECONDS, default 60) from its seed corpus in
# fuzz/corpus/. Any crash, sanitizer report, leak or timeout fails the script;
# the input that caused it is kept in build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${RZ_FUZZ_SECONDS:-60}
targets=(settings_file_fuzzer language_file_fuzzer)

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja \
  -DRZ_FUZZ=ON -DRZ_GUI=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-fuzz --target "${targets[@]}"

for target in "${targets[@]}"; do
  echo "== $target for ${seconds}s"
  # New inputs go into a working corpus; the seeds in the tree stay as they are.
  work=build-fuzz/corpus/$target
  findings=build-fuzz/findings/$target
  mkdir -p "$work" "$findings"
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "build-fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=10 \
    -print_final_stats=1 -artifact_prefix="$findings/" \
    "$work" "fuzz/corpus/$target"
done
echo "== Fuzzers found nothing"
