#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# The real program under its own Xvfb: the window maps as "Form1", typed keys replace the
# selected "First Name", a click on Compute shows the ticket, a click on Exit asks about the
# typed entries, Esc keeps the window and Enter saves them and ends the program with status 0.
# Before that: --version and --help print and exit, and without a display the program says so
# and exits with status 1.
#   end_to_end.sh ASWORN X11_PROBE SCREENSHOT_DIR
set -uo pipefail
app=$1 probe=$2 shots=$3
mkdir -p "$shots"

source "$(dirname "$0")/../../scripts/lib/xvfb.sh"
app_pid=""
cleanup() {
  if [ -n "$app_pid" ]; then kill "$app_pid" 2>/dev/null; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null; fi
  wait 2>/dev/null
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Each step waits for what it caused, never for a fixed time: COMMAND is tried every tenth of
# a second until it succeeds or SECONDS have passed.
#   wait_for SECONDS COMMAND...
wait_for() {
  local seconds=$1 deadline
  shift
  deadline=$((SECONDS + seconds))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}
# The window's picture in FILE, taken once two grabs in a row agree (painting has ended).
grab_settled() {
  "$probe" grab "$1" "$wid" || return 1
  wait_for 10 grab_again "$1"
}
grab_again() {
  "$probe" grab "$1.next.png" "$wid" || return 1
  if "$probe" same "$1" "$1.next.png"; then rm -f "$1.next.png"; return 0; fi
  mv "$1.next.png" "$1"
  return 1
}
# The window's picture is no longer the one in FILE.
window_changed_from() {
  "$probe" grab "$2" "$wid" && ! "$probe" same "$1" "$2"
}
selection_is() { [ "$("$probe" selection)" = "$1" ]; }
# The message box titled TITLE, once it shows, given the keyboard.
focus_dialog() {
  local dialog
  dialog=$(timeout 10 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1)
  [ -n "$dialog" ] && xdotool windowfocus --sync "$dialog"
}
no_dialog() { ! xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
app_ended() { ! kill -0 "$app_pid" 2>/dev/null; }

version=$("$app" --version) || fail "--version failed"
[[ "$version" == "asworn "[0-9]* ]] || fail "--version says '$version'"
"$app" --help | grep -q "^Usage: asworn" || fail "--help prints no usage"
err=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$app" 2>&1 >/dev/null)
status=$?
[ "$status" -eq 1 ] || fail "without a display the exit status is $status, not 1"
[[ "$err" == *"no display"* ]] || fail "without a display stderr says '$err'"

# A home of our own: the Save at Exit writes its patient file there.
HOME=$(mktemp -d)
export HOME

# A free display of our own.
xvfb_start || fail "no X display"
display=$DISPLAY
export QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8
# A new user's settings, never the ones of whoever runs the test.
XDG_CONFIG_HOME=$shots/config
rm -rf "$XDG_CONFIG_HOME"
export XDG_CONFIG_HOME

"$app" &
app_pid=$!
wid=$(timeout 15 xdotool search --sync --onlyvisible --name '^Form1$' | head -n 1)
[ -n "$wid" ] || fail "no window named Form1 appeared"
[ "$(xdotool getwindowname "$wid")" = "Form1" ] || fail "title is not Form1"
xdotool windowfocus --sync "$wid" || fail "cannot focus the window"
grab_settled "$shots/e2e-1-start.png" || fail "grab failed"

# The focus is in the first name with its text selected: typing replaces it. Selecting the
# whole field afterwards puts its text into the X selection, where the probe reads it.
xdotool type --delay 30 "Zed Ochs"
xdotool key --delay 30 ctrl+a
wait_for 10 selection_is "Zed Ochs" ||
  fail "the first field holds '$("$probe" selection)', expected 'Zed Ochs'"
grab_settled "$shots/e2e-2-typed.png" || fail "grab failed"

# Compute sits at 120 twips from the top left, 735 square: its middle is 487 twips, 32 px at
# 96 dpi; Exit is 2640 twips down.
xdotool mousemove --window "$wid" 32 32 click 1
wait_for 10 window_changed_from "$shots/e2e-2-typed.png" "$shots/e2e-3-computed.png" ||
  fail "the window did not change after Compute"
grab_settled "$shots/e2e-3-computed.png" || fail "grab failed"
app_ended && fail "the program ended on Compute"

# Exit with unsaved entries asks; Esc cancels the question and keeps the window.
xdotool mousemove --window "$wid" 32 200 click 1
focus_dialog "As-Worn Rx" || fail "Exit did not ask about the unsaved entries"
xdotool key Escape
wait_for 10 no_dialog "As-Worn Rx" || fail "Esc did not close the question"
app_ended && fail "the program ended on Exit with unsaved entries"
xdotool mousemove --window "$wid" 32 200 click 1
focus_dialog "As-Worn Rx" || fail "Exit did not ask about the unsaved entries"
xdotool key Return  # Save
focus_dialog "Saved" || fail "no word that the patient was saved"
xdotool key Return  # "Patient Information Saved"
wait_for 10 app_ended || fail "the program still runs after Exit"
wait "$app_pid"
status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "exit status $status"
[ -n "$(find "$HOME" -name 'Last Name-Zed Ochs.txt')" ] || fail "Exit did not save the entries"
rm -rf "$HOME"
echo "PASS: typed into the first name, computed, exited with status 0 on $display"
