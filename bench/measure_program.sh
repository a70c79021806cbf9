#!/usr/bin/env bash
# The measured run of the program (figures, not a test): start-up time,
# resident memory, and the CPU time of 30 s of real-time polling at 100 Hz
# with one stick at rest. After a build, from the repository:
#
#   bench/measure_program.sh [BUILD_DIR]
#
# Each run gets a fresh program folder, so nothing in the build changes.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
measure=$build/bench/rz_measure_program
replay=$build/tools/replay/riruziruzo-replay
real=$build/program/riruziruzo

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
program_folder() {
  mkdir -p "$1/Configuration"
  cp -a data/Rod-Idevora "$1/"
  printf 'Defaut = Francais\r\n' >"$1/Langue.lng"
}

echo "== The program itself under Xvfb: start to its first mapped window"
echo "   (without a controller the window comes up and its message follows)"
for run in 1 2 3 4 5; do
  program_folder "$work/real$run"
  cp "$real" "$work/real$run/"
  xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    "$measure" window -- "$work/real$run/riruziruzo"
done

echo "== With a controller (1 stick, 12 buttons, hat), offscreen, real time:"
echo "   start to the main loop's first wait, when the window is complete"
printf 'caps name="Pad" axes=2 buttons=12 hat=1 period=10\ncontrols\nwait 60000\n' \
  >"$work/startup.txt"
for run in 1 2 3 4 5; do
  program_folder "$work/startup$run"
  "$measure" log "$work/startup$run.log" -- "$replay" "$work/startup$run" \
    "$work/startup.txt" "$work/startup$run.log" --realtime
done

echo "== 30 s of polling at 100 Hz with one stick at rest, real time"
program_folder "$work/cpu"
printf 'caps name="Pad" axes=2 period=10\nwait 32000\n' >"$work/cpu.txt"
"$measure" cpu 1 30 -- \
  "$replay" "$work/cpu" "$work/cpu.txt" "$work/cpu.log" --realtime
