#!/usr/bin/env bash
# Adds RiruziruZo to the application menu of the current user: installs its
# desktop entry, its icons and its software-centre description under
# ~/.local/share, with the entry pointing at the program in this folder.
#
#   install-desktop-entry.sh [PROGRAM-FOLDER]           install
#   install-desktop-entry.sh --remove                   take the entry away again
#
# PROGRAM-FOLDER is the folder that holds the riruziruzo program. Without it:
# the folder of this script (in the unpacked program folder), or build/program
# of the source tree (when run as scripts/install-desktop-entry.sh). Move the
# program folder elsewhere later? Run this script again from the new place.
set -euo pipefail

app=riruziruzo
metainfo_name=io.github.riruziruzo.metainfo.xml

usage() {
  sed -n '2,12s/^# \{0,1\}//p' "${BASH_SOURCE[0]}"
}

mode=install
program_dir=""
for arg in "$@"; do
  case "$arg" in
    --remove | --uninstall) mode=remove ;;
    -h | --help) usage; exit 0 ;;
    -*) echo "install-desktop-entry.sh: unknown option: $arg" >&2; usage >&2; exit 2 ;;
    *)
      if [ -n "$program_dir" ]; then
        echo "install-desktop-entry.sh: give only one program folder" >&2
        exit 2
      fi
      program_dir=$arg
      ;;
  esac
done

data_home=${XDG_DATA_HOME:-$HOME/.local/share}
applications_dir=$data_home/applications
icons_dir=$data_home/icons/hicolor
metainfo_dir=$data_home/metainfo

refresh_caches() {
  if command -v update-desktop-database >/dev/null 2>&1; then
    update-desktop-database -q "$applications_dir" || true
  fi
  if [ -d "$icons_dir" ]; then
    touch "$icons_dir"
    # Refresh a cache the user already has, so that it does not hide the new
    # icons; never start one, since a cache nobody refreshes hides later icons.
    if command -v gtk-update-icon-cache >/dev/null 2>&1 && [ -f "$icons_dir/icon-theme.cache" ]; then
      gtk-update-icon-cache -q -t -f "$icons_dir" || true
    fi
  fi
}

if [ "$mode" = remove ]; then
  rm -f "$applications_dir/$app.desktop" "$metainfo_dir/$metainfo_name"
  removed_icons=0
  if [ -d "$icons_dir" ]; then
    while IFS= read -r -d '' icon; do
      rm -f "$icon"
      removed_icons=$((removed_icons + 1))
    done < <(find "$icons_dir" -path "*/apps/$app.*" -print0)
  fi
  refresh_caches
  echo "Removed the RiruziruZo menu entry from $applications_dir"
  echo "and $removed_icons icon(s) from $icons_dir."
  exit 0
fi

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd -P)

# Where the entry, the description and the icons come from: beside this
# script in the program folder, under data/ in the source tree.
if [ -f "$here/$app.desktop" ]; then
  source_dir=$here
  icons_source=$here/icons/hicolor
  default_program_dir=$here
else
  sources=$(dirname "$here")
  source_dir=$sources/data/desktop
  icons_source=$sources/data/icons/hicolor
  default_program_dir=$sources/build/program
fi
if [ ! -f "$source_dir/$app.desktop" ]; then
  echo "The desktop entry $app.desktop was not found beside this script" >&2
  echo "nor in data/desktop/ of the source tree." >&2
  exit 1
fi

if [ -z "$program_dir" ]; then
  program_dir=$default_program_dir
elif [ -f "$program_dir" ]; then
  program_dir=$(dirname "$program_dir")
fi
if [ ! -d "$program_dir" ] || [ ! -x "$program_dir/$app" ]; then
  echo "The program $program_dir/$app was not found." >&2
  echo "Build it first (scripts/build.sh) or name the folder that holds it:" >&2
  echo "  $0 /path/to/RiruziruZo" >&2
  exit 1
fi
program_dir=$(cd "$program_dir" && pwd -P)
# A line break cannot be written into an entry, and menus built on GLib look
# for the program before they turn "%%" back into "%", so they never find it.
case "$program_dir" in
  *$'\n'* | *$'\r'* | *%*)
    echo "The path $program_dir holds a line break or a \"%\"," >&2
    echo "which desktop menus cannot start. Rename the folder, then run this again." >&2
    exit 1
    ;;
esac
program=$program_dir/$app

# A value of the entry escapes "\" as "\\". Exec quotes its argument and, inside
# the quotes, escapes " ` $ and \ with a backslash.
string_escape() {
  local s=$1
  s=${s//\\/\\\\}
  printf '%s' "$s"
}
exec_quote() {
  local s=$1
  s=${s//\\/\\\\}
  s=${s//\"/\\\"}
  s=${s//\`/\\\`}
  s=${s//\$/\\\$}
  s=$(string_escape "$s")
  printf '"%s"' "$s"
}

mkdir -p "$applications_dir"
entry=$applications_dir/$app.desktop
entry_tmp=$(mktemp "$applications_dir/.$app.XXXXXX")
trap 'rm -f "$entry_tmp"' EXIT
exec_line="Exec=$(exec_quote "$program")"
try_exec_line="TryExec=$(string_escape "$program")"
path_line="Path=$(string_escape "$program_dir")"
# Replaces Exec, drops any TryExec and Path of the template, and adds the
# two right after Exec.
while IFS= read -r line || [ -n "$line" ]; do
  case "$line" in
    Exec=*) printf '%s\n%s\n%s\n' "$exec_line" "$try_exec_line" "$path_line" ;;
    TryExec=* | Path=*) ;;
    *) printf '%s\n' "$line" ;;
  esac
done <"$source_dir/$app.desktop" >"$entry_tmp"
chmod 0644 "$entry_tmp"
mv -f "$entry_tmp" "$entry"
trap - EXIT
echo "Installed the menu entry $entry"
echo "  starting $program."

icon_count=0
if [ -d "$icons_source" ]; then
  while IFS= read -r -d '' icon; do
    relative=${icon#"$icons_source"/}
    size_dir=${relative%%/*}
    # The icon theme names size folders "48x48"; accept plain "48" as well.
    case "$size_dir" in
      *[!0-9]*) ;;
      *) size_dir=${size_dir}x${size_dir} ;;
    esac
    mkdir -p "$icons_dir/$size_dir/apps"
    install -m 0644 "$icon" "$icons_dir/$size_dir/apps/${icon##*/}"
    icon_count=$((icon_count + 1))
  done < <(find "$icons_source" -path "*/apps/$app.*" -type f -print0 | sort -z)
fi
if [ "$icon_count" -gt 0 ]; then
  echo "Installed $icon_count icon(s) into $icons_dir."
else
  echo "No icons were found in $icons_source; the menu shows a generic icon."
fi

if [ -f "$source_dir/$metainfo_name" ]; then
  mkdir -p "$metainfo_dir"
  install -m 0644 "$source_dir/$metainfo_name" "$metainfo_dir/$metainfo_name"
  echo "Installed the software-centre description into $metainfo_dir."
fi

refresh_caches
echo "Done. RiruziruZo now appears in the application menu (under Utilities)."
