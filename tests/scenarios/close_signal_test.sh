#!/usr/bin/env bash
# A close signal (TERM, INT or HUP) sent to the running program ends it
# through its normal shutdown: the language setting, the last-profile file
# and the profile are written, and the key that a button holds is released
# before the program ends with code 0. The program runs in real time and
# holds the key when the signal comes.
#
#   close_signal_test.sh REPLAY LANGUAGE_DIR SIGNAL
set -euo pipefail
# Job control: a background job must not start with SIGINT ignored.
set -m

replay=$1
languages=$2
signal=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
program=$work/program
mkdir -p "$program/Configuration"
cp -a "$languages" "$program/Rod-Idevora"
printf 'Defaut = Francais\r\n' >"$program/Langue.lng"
printf 'Configuration = Jeu\r\n' >"$program/Configuration.qivp"
# Only button 1 (letter A): the rest takes its defaults and is written out
# in full at the save.
printf '[Boutons]\r\nBouton1 - Action = 35\r\n' \
  >"$program/Configuration/Jeu.qivp"
cat >"$work/script.txt" <<'SCRIPT'
caps name="Pad" axes=0 buttons=1 period=10
buttons 1
wait 60000
SCRIPT

"$replay" "$program" "$work/script.txt" "$work/log" --realtime &
pid=$!
for _ in $(seq 200); do
  grep -q '^key ' "$work/log" 2>/dev/null && break
  sleep 0.05
done
if ! grep -q '^key ' "$work/log"; then
  echo "FAIL: the key was never pressed"
  kill "$pid" 2>/dev/null || true
  exit 1
fi
kill -s "$signal" "$pid"
status=0
wait "$pid" || status=$?

failed=0
fail() {
  echo "FAIL: $*"
  failed=1
}
[ "$status" -eq 0 ] || fail "the program ended with status $status"
expected_log='key vk=0x00 scan=0x041E flags=0x0008
mouse dx=0 dy=0 data=0 flags=0x0001
mouse dx=0 dy=0 data=0 flags=0x0001
mouse dx=0 dy=0 data=0 flags=0x0001
mouse dx=0 dy=0 data=0 flags=0x0001
key vk=0x00 scan=0x041E flags=0x000A
exit code=0'
if [ "$(cat "$work/log")" != "$expected_log" ]; then
  fail "the log is not press, release of everything, exit:"
  diff -u <(echo "$expected_log") "$work/log" || true
fi
[ "$(cat "$program/Langue.lng")" = $'Defaut = Francais\r' ] ||
  fail "Langue.lng was not written"
[ "$(cat "$program/Configuration.qivp")" = $'Configuration = Jeu\r' ] ||
  fail "Configuration.qivp was not written"
grep -q $'^Bouton1 - Action = 35\r$' "$program/Configuration/Jeu.qivp" &&
  grep -q $'^DirectX = 1\r$' "$program/Configuration/Jeu.qivp" ||
  fail "the profile was not saved in full"
[ "$failed" -eq 0 ] && echo "PASS: SIG$signal"
exit "$failed"
