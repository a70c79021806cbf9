#!/usr/bin/env bash
# Packs the program folder with CPack and checks the package as a user meets
# it: unpacked into a fresh folder, its layout is complete and holds nothing
# else, the program needs nothing beyond the runtime packages below, and it
# runs there under a private X server: first start (language chooser, then
# the no-controller message), second start, and starts from a folder it
# cannot write to, where it says so first and writes nothing.
#
#   scripts/check-package.sh [BUILD_DIR]     (default: build/, already built)
#
# Runs the program through tests/package/drive_program.py, which reads its
# windows through AT-SPI and answers them. Needs Xvfb, xdotool, xprop,
# dbus-run-session (dbus-daemon), at-spi2-core and python3-gi with
# gir1.2-atspi-2.0 (scripts/install-deps.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
build_dir=$(realpath "${1:-build}")

# What the program needs on Debian 12 besides itself; the README lists them.
runtime_packages=(libqt6widgets6 libsdl2-2.0-0 libevdev2 libxtst6 libpng16-16
                  zlib1g fonts-liberation)

# Every path of the unpacked folder; a trailing "/" marks a folder and "*" an
# executable.
expected_paths=(
  riruziruzo*
  Configuration/
  Rod-Idevora/ Rod-Idevora/Francais.txt Rod-Idevora/English.txt
  Rod-Idevora/Deutsch.txt Rod-Idevora/Espanol.txt
  Licence/ Licence/Licence.htm
  Guide/ Guide/index.html Guide/style.css
  LICENSE
  60-riruziruzo-uinput.rules install-udev-rule.sh*
  riruziruzo.desktop io.github.riruziruzo.metainfo.xml install-desktop-entry.sh*
  icons/ icons/hicolor/
)
for size in 16 24 32 48 64 128 256; do
  expected_paths+=("icons/hicolor/${size}x$size/" "icons/hicolor/${size}x$size/apps/"
                   "icons/hicolor/${size}x$size/apps/riruziruzo.png")
done

run_seconds=180   # one start of the program, answered to the end
python=/usr/bin/python3
nobody=65534

passed=0
failed=0
pass() { passed=$((passed + 1)); echo "  ok    $*"; }
fail() { failed=$((failed + 1)); echo "  FAIL  $*"; }

work=$(mktemp -d /tmp/rz-package.XXXXXX)
xvfb_pid=
cleanup() {
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  # Folders made unwritable for this user get their permission back first.
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
# User nobody must reach the copies, the driver and its own folders.
chmod 755 "$work"

# --- Build and pack --------------------------------------------------------

echo "== Package: build and pack ($build_dir)"
[ -f "$build_dir/CPackConfig.cmake" ] || {
  echo "no CPack configuration in $build_dir: configure and build it first" >&2
  exit 1
}
cmake --build "$build_dir"
name=$(sed -n 's/^set(CPACK_PACKAGE_FILE_NAME "\(.*\)")$/\1/p' "$build_dir/CPackConfig.cmake")
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build_dir/CPackConfig.cmake")
archive=$name.tar.gz
rm -f "$build_dir/$archive" "$build_dir/$archive.sha256"
(cd "$build_dir" && cpack -G TGZ --config CPackConfig.cmake > "$work/cpack.log") || {
  cat "$work/cpack.log"
  exit 1
}

echo "== Package: $archive"
if [ "$name" = "riruziruzo-$version-linux-$(uname -m)" ]; then
  pass "named riruziruzo-<version>-linux-<machine>"
else
  fail "package named $name"
fi
if (cd "$build_dir" && sha256sum --quiet -c "$archive.sha256"); then
  pass "checksum file matches"
else
  fail "checksum file does not match the package"
fi

tops=$(tar -tzf "$build_dir/$archive" | cut -d/ -f1 | sort -u)
if [ "$tops" = "$name" ]; then
  pass "one top folder, $name/"
else
  fail "top-level entries: $(tr '\n' ' ' <<< "$tops")"
fi

# A fresh copy of the program folder in `$1`, straight from the package.
unpack() {
  mkdir -p "$1"
  tar -xzf "$build_dir/$archive" -C "$1" --strip-components=1
}
folder=$work/unpacked
unpack "$folder"

# --- Layout ----------------------------------------------------------------

echo "== Package: folder layout"
missing=()
declare -A wanted=()
for entry in "${expected_paths[@]}"; do
  path=${entry%[/*]}
  wanted[$path]=1
  case "$entry" in
    */) [ -d "$folder/$path" ] || missing+=("$path/") ;;
    *'*') [ -f "$folder/$path" ] && [ -x "$folder/$path" ] || missing+=("$path (executable)") ;;
    *) [ -f "$folder/$path" ] || missing+=("$path") ;;
  esac
done
if ((${#missing[@]} == 0)); then
  pass "all ${#expected_paths[@]} expected paths present"
else
  fail "missing: ${missing[*]}"
fi

unexpected=()
while IFS= read -r -d '' path; do
  [ -n "${wanted[$path]:-}" ] || unexpected+=("$path")
done < <(cd "$folder" && find . -mindepth 1 -printf '%P\0')
if ((${#unexpected[@]} == 0)); then
  pass "nothing else in the folder (no build or test leftovers)"
else
  fail "unexpected: ${unexpected[*]}"
fi

if [ -z "$(ls -A "$folder/Configuration")" ]; then
  pass "Configuration/ is empty"
else
  fail "Configuration/ holds: $(ls -A "$folder/Configuration")"
fi

# --- The program's libraries ----------------------------------------------

echo "== Package: the program's libraries"
program=$folder/riruziruzo
if readelf -d "$program" | grep -Eq '\((RPATH|RUNPATH)\)'; then
  fail "run path set: $(readelf -d "$program" | grep -E 'RPATH|RUNPATH')"
else
  pass "no run path"
fi
if grep -aqF -e "$build_dir" -e "$source_dir" "$program"; then
  fail "the program names the build or source folder"
else
  pass "no path into the build or source folder"
fi
if ldd "$program" | grep -q 'not found'; then
  fail "unresolved: $(ldd "$program" | grep 'not found' | tr -s ' \t\n' ' ')"
else
  pass "every library resolves"
fi

# The owning package of a library file; "/lib" and "/usr/lib" are one on
# Debian 12, dpkg knows either.
owner_of() {
  local path
  for path in "$1" "$(realpath "$1")" "${1#/usr}" "/usr$1"; do
    dpkg -S "$path" 2>/dev/null | head -n1 | cut -d: -f1 && return 0
  done
  return 1
}

if apt-cache show "${runtime_packages[@]}" > /dev/null 2>&1; then
  # Everything the runtime packages bring with them.
  closure=$(apt-cache depends --recurse --no-recommends --no-suggests \
              --no-conflicts --no-breaks --no-replaces --no-enhances \
              "${runtime_packages[@]}" | grep -v '^ ' | sed 's/:.*//' | sort -u)
  # The program and the X11 platform plugin that Qt loads for it.
  loaded=("$program")
  xcb_plugin=$(dpkg -L libqt6gui6 2>/dev/null | grep '/platforms/libqxcb\.so$' || true)
  [ -n "$xcb_plugin" ] && loaded+=("$xcb_plugin")
  outside=()
  for library in $(ldd "${loaded[@]}" | awk '$2 == "=>" && $3 ~ /^\// {print $3}' | sort -u); do
    package=$(owner_of "$library") || { outside+=("$library (no package)"); continue; }
    grep -qx "$package" <<< "$closure" || outside+=("$library ($package)")
  done
  if ((${#outside[@]} == 0)); then
    pass "all libraries come with: ${runtime_packages[*]}"
  else
    fail "libraries beyond the runtime packages: ${outside[*]}"
  fi
else
  echo "  skip  runtime packages: apt has no package lists here"
fi

# --- Running the unpacked program ------------------------------------------

echo "== Package: running the unpacked program"
exec 3> "$work/display"
Xvfb -displayfd 3 -ac -nolisten tcp -screen 0 1280x1024x24 > "$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 600); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || break
  sleep 0.1
done
[ -s "$work/display" ] || { cat "$work/xvfb.log"; echo "Xvfb did not start" >&2; exit 1; }
display=:$(head -n1 "$work/display")

# The driver where user nobody can read it.
driver=$work/drive_program.py
install -m 755 tests/package/drive_program.py "$driver"

# Starts `$2/riruziruzo` for the run named `$1`, as the user `$3` (empty:
# this one) and with `$4...` (a command prefix) in front, and writes what it
# showed to $work/$1.log.
run_program() {
  local run=$1 dir=$2 user=$3
  shift 3
  local home=$work/home-$run
  mkdir -p "$home/runtime"
  chmod 700 "$home/runtime"
  [ -z "$user" ] || chown -R "$user:$user" "$home"
  # The log tells how it went, a timeout included.
  env -i PATH="$PATH" DISPLAY="$display" HOME="$home" XDG_RUNTIME_DIR="$home/runtime" \
    LANG=C.UTF-8 \
    timeout -k 10 $((run_seconds + 30)) "$@" \
    dbus-run-session -- "$python" "$driver" --timeout "$run_seconds" "$dir/riruziruzo" \
    > "$work/$run.log" 2> "$work/$run.err" || true
}

# String `$2` of language `$1` as the program shows it.
language_string() {
  sed -n "s/^$2=//p" "$folder/Rod-Idevora/$1.txt" | tr -d '\r' | head -n1
}

# Checks the log of run `$1` against `$3...`, the lines expected of instance
# `$2` in their order, after the known texts of language `$language` were
# replaced by names.
expect_instance() {
  local run=$1 instance=$2
  shift 2
  local expected actual="" line
  expected=$(printf '%s\n' "$@")
  while IFS= read -r line; do
    line=${line//"$(language_string "$language" 153)"/<folder not writable>}
    line=${line//"$(language_string "$language" 90)"/<no controller>}
    line=${line//"$(language_string "$language" 91)"/<no controller>}
    actual+="$line"$'\n'
  done < <(sed -n "s/^$instance //p" "$work/$run.log")
  if [ "$actual" = "$expected"$'\n' ]; then
    pass "$run, instance $instance: $(echo "$expected" | paste -sd ';' | sed 's/;/; /g')"
  else
    fail "$run, instance $instance: expected $(echo "$expected" | paste -sd ';')"
    echo "        it showed:"
    sed 's/^/          /' "$work/$run.log"
    sed 's/^/          stderr: /' "$work/$run.err" | grep -v 'fd limit' | tail -n 20
  fi
}

# Every entry of `$1` with its type and mode, and each file's size, time and
# content. A folder's own time is left out: the program's trial of whether it
# can write there touches it and leaves nothing.
snapshot() {
  (cd "$1" && find . -printf '%p %y %m\n' | sort \
     && find . -type f -printf '%p %s %T@\n' | sort \
     && find . -type f -exec sha256sum {} + | sort -k2)
}

# The lines of a snapshot without those of the entry `$1` (none when empty).
leave_out() {
  if [ -n "$1" ]; then grep -vF -e "./$1 " -e "  ./$1" || true; else cat; fi
}

# Checks that the folder `$2` of run `$1` is as before, but for the entry
# `$3` when given.
expect_unchanged() {
  local before after
  before=$(leave_out "${3:-}" < "$work/$1.before")
  after=$(snapshot "$2" | leave_out "${3:-}")
  if [ "$after" = "$before" ]; then
    pass "$1: wrote nothing${3:+ else}"
  else
    fail "$1: the folder changed:"
    diff <(echo "$before") <(echo "$after") | sed 's/^/          /' | head -n 20
  fi
}

# 1. First start where it was unpacked: no language is remembered, so the
#    chooser comes first; its OK stores the preselected base language and
#    starts the program anew, which finds no controller.
language=Francais
snapshot "$folder" > "$work/first-start.before"
run_program first-start "$folder" ""
expect_instance first-start 1 "chooser: Francais" "exit: 0"
expect_instance first-start 2 "message: <no controller>" "exit: 0"
if [ "$(tr -d '\r' < "$folder/Langue.lng" 2>/dev/null)" = "Defaut = Francais" ]; then
  pass "first-start: remembered the language in Langue.lng"
else
  fail "first-start: Langue.lng holds: $(cat "$folder/Langue.lng" 2>/dev/null || echo nothing)"
fi
expect_unchanged first-start "$folder" Langue.lng

# 2. Second start: the remembered language, straight to the message; a start
#    that ends there writes nothing.
snapshot "$folder" > "$work/second-start.before"
run_program second-start "$folder" ""
expect_instance second-start 1 "message: <no controller>" "exit: 0"
expect_unchanged second-start "$folder"

# 3. and 4. A folder the program cannot write to.
#
# As root, a read-only bind mount in a private mount namespace, which refuses
# root too; where no namespace can be made, user nobody on a folder of root's.
# Any other user: the folder without write permission.
probe_mount() {
  local dir=$work/mount-probe
  mkdir -p "$dir"
  # shellcheck disable=SC2016 # expanded by the inner shell
  unshare -m --propagation private sh -c \
    'mount --bind "$1" "$1" && mount -o remount,bind,ro "$1" "$1" && ! touch "$1/x"' \
    sh "$dir" 2> /dev/null
}
if [ "$(id -u)" -ne 0 ]; then
  arrangement="write permission taken away"
elif probe_mount; then
  arrangement="read-only bind mount (root)"
else
  arrangement="user nobody, folder of root's"
fi
echo "  (unwritable folder: $arrangement)"

run_unwritable() {
  local run=$1 dir=$2
  chmod -R go-w "$dir"
  snapshot "$dir" > "$work/$run.before"
  case "$arrangement" in
    write*)
      chmod -R a-w "$dir"
      if touch "$dir/probe" 2> /dev/null; then fail "$run: $dir still takes files"; fi
      run_program "$run" "$dir" ""
      chmod -R u+w "$dir"
      ;;
    read-only*)
      # shellcheck disable=SC2016 # expanded by the inner shell
      run_program "$run" "$dir" "" unshare -m --propagation private sh -c \
        'mount --bind "$0" "$0" && mount -o remount,bind,ro "$0" "$0" && exec "$@"' \
        "$dir"
      ;;
    *)
      if setpriv --reuid=$nobody --regid=$nobody --clear-groups touch "$dir/probe" 2> /dev/null; then
        fail "$run: $dir takes files from user nobody"
      fi
      run_program "$run" "$dir" $nobody \
        setpriv --reuid=$nobody --regid=$nobody --clear-groups
      ;;
  esac
}

# 3. With a remembered language: the message in that language, before the
#    no-controller message.
language=English
unwritable=$work/unwritable
unpack "$unwritable"
printf 'Defaut = English\n' > "$unwritable/Langue.lng"
run_unwritable unwritable "$unwritable"
expect_instance unwritable 1 "message: <folder not writable>" "message: <no controller>" "exit: 0"
expect_unchanged unwritable "$unwritable"

# 4. First start there: no chooser, whose choice could never be kept; the
#    message in the base language.
language=Francais
unwritable_first=$work/unwritable-first
unpack "$unwritable_first"
run_unwritable unwritable-first "$unwritable_first"
expect_instance unwritable-first 1 "message: <folder not writable>" "message: <no controller>" "exit: 0"
expect_unchanged unwritable-first "$unwritable_first"

echo "package: $passed passed, $failed failed"
((failed == 0))
