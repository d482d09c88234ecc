# SPDX-License-Identifier: Apache-2.0
# Sourced by the scripts that run the real window: starts an Xvfb on a free display of its
# own and exports DISPLAY.
#   source scripts/lib/xvfb.sh; xvfb_start || exit 1; ...; kill "$xvfb_pid"
# Sets xvfb_pid, which the caller ends in its clean-up. Safe under `set -e`. Two callers
# started at once may pick the same number: the second server then fails on the lock and
# the next number is tried.
xvfb_pid=""
xvfb_start() {
  local n
  for n in $(seq 90 120); do
    if [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; then continue; fi
    Xvfb ":$n" -nolisten tcp -noreset -screen 0 1024x768x24 >/dev/null 2>&1 &
    xvfb_pid=$!
    local _
    for _ in $(seq 50); do
      if [ -e "/tmp/.X11-unix/X$n" ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then break; fi
      sleep 0.1
    done
    if [ -e "/tmp/.X11-unix/X$n" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
      export DISPLAY=":$n"
      return 0
    fi
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  done
  echo "no free X display between :90 and :120" >&2
  return 1
}
