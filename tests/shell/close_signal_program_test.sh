#!/usr/bin/env bash
# The real program under a private X server, with no controller attached:
# its window and the no-controller message come up; a close signal then
# closes the message as the user could, and the program ends at once with
# code 0, writing nothing.
#
#   close_signal_program_test.sh PROGRAM LANGUAGE_DIR
set -euo pipefail

program=$1
languages=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
folder=$work/program
mkdir -p "$folder/Configuration"
cp -a "$languages" "$folder/Rod-Idevora"
printf 'Defaut = Francais\r\n' >"$folder/Langue.lng"
# The program's folder is the one its file is in.
cp "$program" "$folder/riruziruzo"

cat >"$work/run.sh" <<'RUN'
#!/usr/bin/env bash
set -uo pipefail
folder=$1
"$folder/riruziruzo" &
pid=$!
# The main window and the message, both titled RiruziruZo.
for _ in $(seq 200); do
  shown=$(xdotool search --onlyvisible --name '^RiruziruZo$' 2>/dev/null | wc -l)
  [ "$shown" -ge 2 ] && break
  sleep 0.05
done
if [ "$shown" -lt 2 ]; then
  echo "FAIL: the window and its message did not come up"
  kill -KILL "$pid"
  exit 1
fi
kill -TERM "$pid"
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.05
done
if kill -0 "$pid" 2>/dev/null; then
  echo "FAIL: the program still runs 5 s after SIGTERM"
  kill -KILL "$pid"
  exit 1
fi
wait "$pid"
RUN
status=0
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
  bash "$work/run.sh" "$folder" || status=$?
if [ "$status" -ne 0 ]; then
  echo "FAIL: ended with status $status"
  exit 1
fi
listing=$(cd "$folder" && find . -type f ! -path './Rod-Idevora/*' | sort)
if [ "$listing" != $'./Langue.lng\n./riruziruzo' ]; then
  echo "FAIL: files were written:"
  echo "$listing"
  exit 1
fi
echo "PASS"
