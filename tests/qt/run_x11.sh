#!/usr/bin/env bash
# Runs the Qt tests that need a real X server. Starts Xvfb on a free display, then either no
# window manager ("none") or openbox ("openbox"), runs the test program's X11 tests there and
# stops everything it started.
#   run_x11.sh none|openbox PROGRAM [gtest arguments...]
set -euo pipefail
wm="$1"
program="$2"
shift 2

if ! command -v Xvfb >/dev/null 2>&1; then
  echo "run_x11.sh: Xvfb is not installed (scripts/install-deps.sh installs it)" >&2
  exit 1
fi
if [ "$wm" = openbox ] && ! command -v openbox >/dev/null 2>&1; then
  echo "run_x11.sh: openbox is not installed (scripts/install-deps.sh installs it)" >&2
  exit 1
fi

work="$(mktemp -d)"
xvfb_pid=""
wm_pid=""
cleanup() {
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number once it accepts connections.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 100); do
  [ -s "$work/display" ] && break
  sleep 0.05
done
if [ ! -s "$work/display" ]; then
  echo "run_x11.sh: Xvfb did not start" >&2
  cat "$work/xvfb.log" >&2
  exit 1
fi
export DISPLAY=":$(head -n1 "$work/display")"

if [ "$wm" = openbox ]; then
  openbox --sm-disable >"$work/openbox.log" 2>&1 &
  wm_pid=$!
  # Wait until the window manager has announced itself on the root window.
  for _ in $(seq 1 100); do
    if command -v xprop >/dev/null 2>&1; then
      xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    fi
    sleep 0.05
  done
fi

export DATEWELL_TEST_X11=1
export DATEWELL_TEST_WM="$wm"
"$program" --gtest_filter='X11*' "$@"
