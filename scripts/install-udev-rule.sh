#!/usr/bin/env bash
# Lets the user logged in at this computer send mouse and keyboard input
# through /dev/uinput, the way RiruziruZo works everywhere (Wayland included):
# installs the udev rule that comes with the program, loads the uinput module
# now and at every boot, and applies the rule at once.
#
#   install-udev-rule.sh            install (asks for your password through sudo)
#   install-udev-rule.sh --remove   take the rule and the boot setting away again
#   install-udev-rule.sh --dry-run  only show what would be done
#
# Works from the unpacked program folder (the rule lies beside this script)
# and from the source tree (the rule lies in data/udev/).
set -euo pipefail

rule_name=60-riruziruzo-uinput.rules
rules_dir=/etc/udev/rules.d
modules_conf=/etc/modules-load.d/riruziruzo-uinput.conf

usage() {
  sed -n '2,12s/^# \{0,1\}//p' "${BASH_SOURCE[0]}"
}

mode=install
dry_run=0
for arg in "$@"; do
  case "$arg" in
    --remove | --uninstall) mode=remove ;;
    --dry-run | -n) dry_run=1 ;;
    -h | --help) usage; exit 0 ;;
    *) echo "install-udev-rule.sh: unknown option: $arg" >&2; usage >&2; exit 2 ;;
  esac
done

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
rule_source=""
for candidate in "$here/$rule_name" "$here/../data/udev/$rule_name"; do
  if [ -f "$candidate" ]; then
    rule_source=$(cd "$(dirname "$candidate")" && pwd)/$rule_name
    break
  fi
done

# Runs a command as root: directly when we are root, through sudo otherwise.
as_root_prefix=()
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then
    as_root_prefix=(sudo)
  elif [ "$dry_run" -eq 0 ]; then
    echo "This needs administrator rights: run it as root, or install sudo." >&2
    exit 1
  fi
fi
as_root() {
  if [ "$dry_run" -eq 1 ]; then
    printf '  would run:'
    printf ' %q' "${as_root_prefix[@]}" "$@"
    printf '\n'
  else
    "${as_root_prefix[@]}" "$@"
  fi
}

have() { command -v "$1" >/dev/null 2>&1; }

reload_udev() {
  if have udevadm; then
    echo "Reloading the udev rules and applying them to /dev/uinput."
    if as_root udevadm control --reload-rules &&
      as_root udevadm trigger --action=change --subsystem-match=misc --sysname-match=uinput; then
      as_root udevadm settle || true
    else
      echo "  udev could not be reloaded: restart the computer for the change to take effect."
    fi
  else
    echo "udevadm was not found: restart the computer for the change to take effect."
  fi
}

if [ "$mode" = remove ]; then
  echo "Removing $rules_dir/$rule_name and $modules_conf."
  as_root rm -f "$rules_dir/$rule_name" "$modules_conf"
  reload_udev
  if [ "$dry_run" -eq 1 ]; then
    echo "Nothing was changed (dry run)."
  else
    echo "Done. /dev/uinput keeps its current permissions until the next restart."
  fi
  exit 0
fi

if [ -z "$rule_source" ]; then
  echo "The udev rule $rule_name was not found beside this script" >&2
  echo "nor in data/udev/ of the source tree." >&2
  exit 1
fi

echo "Installing the udev rule $rule_source"
echo "  as $rules_dir/$rule_name."
as_root install -d -m 0755 "$rules_dir"
as_root install -m 0644 "$rule_source" "$rules_dir/$rule_name"

echo "Loading the uinput module at every start ($modules_conf)."
as_root install -d -m 0755 "$(dirname "$modules_conf")"
if [ "$dry_run" -eq 1 ]; then
  echo "  would write \"uinput\" into $modules_conf"
else
  conf_tmp=$(mktemp)
  trap 'rm -f "$conf_tmp"' EXIT
  printf '%s\n' '# RiruziruZo sends mouse and keyboard input through /dev/uinput.' uinput >"$conf_tmp"
  as_root install -m 0644 "$conf_tmp" "$modules_conf"
fi

echo "Loading the uinput module now."
modprobe_cmd=""
for candidate in "$(command -v modprobe 2>/dev/null || true)" /usr/sbin/modprobe /sbin/modprobe; do
  if [ -n "$candidate" ] && [ -x "$candidate" ]; then
    modprobe_cmd=$candidate
    break
  fi
done
if [ -z "$modprobe_cmd" ]; then
  echo "  modprobe was not found; the module will be loaded at the next start."
elif ! as_root "$modprobe_cmd" uinput; then
  echo "  modprobe uinput failed; if /dev/uinput does not exist, this kernel lacks uinput."
fi

reload_udev

if [ "$dry_run" -eq 1 ]; then
  echo "Nothing was changed (dry run)."
  exit 0
fi

echo
if [ "$(id -u)" -ne 0 ] && [ -r /dev/uinput ] && [ -w /dev/uinput ]; then
  echo "Done: you can use /dev/uinput now. Start RiruziruZo (again)."
else
  echo "Done. Log out and log in again, then start RiruziruZo."
  echo "To check: 'ls -l /dev/uinput' should show a '+' after the permissions"
  echo "(an access list for the logged-in user)."
fi
