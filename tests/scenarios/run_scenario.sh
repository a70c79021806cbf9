#!/usr/bin/env bash
# Runs one whole-program scenario through the replay tool in a fresh program
# folder and compares the log and the files the program left there with
# what the scenario expects.
#
#   run_scenario.sh REPLAY SCENARIO_DIR LANGUAGE_DIR
#
# A scenario folder holds script.txt, expected.log, expected/ (the program
# folder's files afterwards, the language folder left out) and optionally
# initial/ (copied into the program folder first). The fresh folder has an
# empty Configuration/ and the real language files unless initial/ brings
# its own Rod-Idevora/. In the log, the program folder's path reads
# $PROGRAM_DIR.
#
# With RZ_UPDATE_SCENARIOS=1 the run's log and files become the scenario's
# expectations: read them before committing them.
set -euo pipefail

replay=$1
scenario=$2
languages=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
program=$work/program
mkdir -p "$program/Configuration"
if [ -d "$scenario/initial" ]; then
  cp -a "$scenario/initial/." "$program/"
fi
if [ ! -d "$program/Rod-Idevora" ]; then
  cp -a "$languages" "$program/Rod-Idevora"
fi

status=0
(cd "$work" && timeout 120 "$replay" "$program" "$scenario/script.txt" \
  "$work/log.raw") || status=$?
if [ "$status" -ne 0 ]; then
  echo "FAIL: the replay tool ended with status $status"
  exit 1
fi
# The path holds no '|' (mktemp), so it can serve as the delimiter.
sed "s|$program|\$PROGRAM_DIR|g" "$work/log.raw" >"$work/log"

list_files() {
  if [ -d "$1" ]; then
    (cd "$1" && find . -type f ! -path './Rod-Idevora/*' | LC_ALL=C sort)
  fi
}

if [ "${RZ_UPDATE_SCENARIOS:-0}" = 1 ]; then
  cp "$work/log" "$scenario/expected.log"
  rm -rf "$scenario/expected"
  mkdir -p "$scenario/expected"
  (cd "$program" && list_files . | while IFS= read -r f; do
    mkdir -p "$scenario/expected/$(dirname "$f")"
    cp "$f" "$scenario/expected/$f"
  done)
  echo "updated $scenario"
  exit 0
fi

failed=0
if ! cmp -s "$scenario/expected.log" "$work/log"; then
  echo "FAIL: the log differs from expected.log:"
  diff -u "$scenario/expected.log" "$work/log" || true
  failed=1
fi
if ! diff -u <(list_files "$scenario/expected") <(list_files "$program") \
  >"$work/lists"; then
  echo "FAIL: the program folder holds other files than expected/:"
  cat "$work/lists"
  failed=1
fi
while IFS= read -r f; do
  if [ -f "$scenario/expected/$f" ] &&
    ! cmp -s "$scenario/expected/$f" "$program/$f"; then
    echo "FAIL: $f differs (line ends shown as \\r):"
    diff -u <(sed 's/\r$/\\r/' "$scenario/expected/$f") \
      <(sed 's/\r$/\\r/' "$program/$f") || true
    failed=1
  fi
done < <(list_files "$program")
if [ "$failed" -eq 0 ]; then
  echo "PASS: $(basename "$scenario")"
fi
exit "$failed"
