#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Runs accessibility_test.py on its own Xvfb inside a private D-Bus session, where the
# accessibility bus is started for it.
#   accessibility_test.sh ASWORN TREE_FILE
set -uo pipefail
here=$(dirname "$0")
source "$here/../../scripts/lib/xvfb.sh"
trap 'if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; fi' EXIT
for tool in dbus-run-session Xvfb xdotool /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/setup installs it)" >&2; exit 1; }
done
# pyatspi comes with the system's Python, not with one a user put first on the PATH.
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
  { echo "FAIL: python3-pyatspi is missing (scripts/setup installs it)" >&2; exit 1; }
dbus-run-session -- true 2>/dev/null ||
  { echo "SKIP: no D-Bus session can start here, so no accessibility bus either"; exit 77; }
xvfb_start || { echo "FAIL: no X display" >&2; exit 1; }
# dbus-run-session ends the bus, and the accessibility bus it activated, with the test.
dbus-run-session -- /usr/bin/python3 "$here/accessibility_test.py" "$1" "$2" 2> >(
  grep -v -e 'Failed to set fd limit' -e 'Activating service' -e 'Successfully activated' \
    -e 'SpiRegistry daemon' -e 'XDG_RUNTIME_DIR' >&2)
