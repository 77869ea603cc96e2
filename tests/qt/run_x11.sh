#!/usr/bin/env bash
# Runs the Qt tests that need a real X server. Starts Xvfb on a free display, then either no
# window manager ("none") or openbox ("openbox"), runs the test program's X11 tests there and
# stops everything it started. With "weston" the same stories run on a Wayland compositor:
# Weston's X11 backend shows its one output as a window at the top-left of the Xvfb screen, the
# program talks to Weston on a private socket, and the input made on the X server reaches it
# through Weston.
#   run_x11.sh none|openbox|weston PROGRAM [gtest arguments...]
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

if [ "$wm" = weston ] && ! command -v weston >/dev/null 2>&1; then
  # The stories skip with that reason: no compositor, no Wayland.
  DATEWELL_TEST_WESTON=missing "$program" --gtest_filter='X11*' "$@"
  exit
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
# Under Weston the screen reaches below the compositor's 1024 x 768 window, so that the pointer
# can leave that window and enter it again.
screen=1024x768x24
[ "$wm" = weston ] && screen=1024x800x24
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
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

export DATEWELL_TEST_WM="$wm"
if [ "$wm" = weston ]; then
  # A fresh runtime directory of our own holds the compositor's socket.
  runtime="$work/runtime"
  mkdir -m 0700 "$runtime"
  # A plain desktop: one colour behind the windows, an opaque panel along the top (the stories
  # press it as a place outside the application), no animations, no screen lock, no on-screen
  # keyboard (the keys come from the X server). The output fills the Xvfb screen.
  cat >"$work/weston.ini" <<'INI'
[core]
idle-time=0
[shell]
background-color=0xff204060
panel-color=0xff202020
panel-position=top
animation=none
startup-animation=none
locking=false
[input-method]
path=
INI
  XDG_RUNTIME_DIR="$runtime" weston --backend=x11-backend.so --socket=datewell-test \
    --width=1024 --height=768 --use-pixman --config="$work/weston.ini" \
    >"$work/weston.log" 2>&1 &
  wm_pid=$!
  # Ready once the shell shows its panel and its background: windows mapped before would be
  # placed on a desktop without the panel.
  pixel() { import -silent -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | tail -n 1; }
  ready=""
  for _ in $(seq 1 300); do
    if [ -S "$runtime/datewell-test" ] && pixel 512 6 | grep -qi '#202020' &&
      pixel 512 600 | grep -qi '#204060'; then
      ready=1
      break
    fi
    kill -0 "$wm_pid" 2>/dev/null || break
    sleep 0.05
  done
  if [ -z "$ready" ]; then
    echo "run_x11.sh: weston did not start" >&2
    cat "$work/weston.log" >&2
    exit 1
  fi
  export XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=datewell-test DATEWELL_TEST_WAYLAND=1
  # No client-side window frames (Weston here shows none either way): Qt then loads no EGL
  # driver, whose allocation left at exit the sanitizer build's leak check cannot name once the
  # driver is unloaded.
  export QT_WAYLAND_DISABLE_WINDOWDECORATION=1
  # The X11 pointer-grab check has no Wayland meaning.
  "$program" --gtest_filter='X11*:-X11.TheGrabCheck*' "$@"
  exit
fi
export DATEWELL_TEST_X11=1
"$program" --gtest_filter='X11*' "$@"
