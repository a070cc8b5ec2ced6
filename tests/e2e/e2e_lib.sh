# Shared steps of the end-to-end scenarios; sourced, with the scenario's arguments:
#   $1  the orvelan program   $2  the close_request helper
# Each scenario gets its own Xvfb (no window manager) on a display it picks itself, and its
# own working directory for the settings log; both go away when the scenario ends.
set -euo pipefail

ORVELAN=$(realpath "$1")
CLOSE_REQUEST=$(realpath "$2")
WORK=$(mktemp -d "${TMPDIR:-/tmp}/orvelan-e2e.XXXXXX")
RUN_DIR="$WORK/run"
mkdir "$RUN_DIR"
XVFB_PID=""
APP_PID=""
SCREEN_W=1280
SCREEN_H=1024
PANEL_H=481  # the client area below the menu bar

cleanup() {
  [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -s "$WORK/app.err" ] && { echo "--- orvelan's stderr:" >&2; cat "$WORK/app.err" >&2; }
  [ -s "$WORK/xvfb.log" ] && { echo "--- Xvfb's stderr (DISPLAY=${DISPLAY:-}):" >&2; cat "$WORK/xvfb.log" >&2; }
  exit 1
}

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# wait_until SECONDS COMMAND...: runs COMMAND every 50 ms until it succeeds; fails on timeout.
wait_until() {
  local deadline=$(( $(now_ms) + $1 * 1000 ))
  shift
  until "$@"; do
    [ "$(now_ms)" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

start_xvfb() {
  Xvfb -displayfd 3 -screen 0 "${SCREEN_W}x${SCREEN_H}x24" -nolisten tcp -noreset \
    3>"$WORK/display" 2>"$WORK/xvfb.log" &
  XVFB_PID=$!
  wait_until 15 test -s "$WORK/display" || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
  export DISPLAY=":$(head -n1 "$WORK/display")"
}

# start_app [ARGS...]: starts orvelan in RUN_DIR on the X11 platform at scale 1.
start_app() {
  (
    cd "$RUN_DIR"
    unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_ENABLE_HIGHDPI_SCALING
    export QT_QPA_PLATFORM=xcb
    exec "$ORVELAN" "$@"
  ) 2>"$WORK/app.err" &
  APP_PID=$!
}

# The program's windows titled "Orvelan" (with --onlyvisible: the mapped ones), one a line.
app_windows() {
  xdotool search --all "$@" --pid "$APP_PID" --name '^Orvelan$' 2>/dev/null || true
}
visible_windows() { xdotool search --all --onlyvisible --pid "$APP_PID" --name '' 2>/dev/null || true; }

# wait_main_window [--onlyvisible]: sets WIN to the main window once it exists.
has_window() { [ -n "$(app_windows "$@")" ]; }
wait_main_window() {
  wait_until 20 has_window "$@" || fail "no window titled Orvelan appeared"
  WIN=$(app_windows "$@" | head -n1)
}

# Sets X, Y, WIDTH, HEIGHT of window $1 (no window manager: the position is on the screen).
geometry_of() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
}

# wait_exit: waits for the program to end and sets APP_RC to its exit code.
app_ended() { ! kill -0 "$APP_PID" 2>/dev/null || [ "$(ps -o stat= -p "$APP_PID" | cut -c1)" = Z ]; }
wait_exit() {
  wait_until 20 app_ended || fail "orvelan did not end"
  APP_RC=0
  wait "$APP_PID" || APP_RC=$?
  APP_PID=""
}

# The log a close with the given Altitude writes, the other settings at their start values.
expected_log() {
  printf 'Altitude  %s\r\nElevation 0\r\nSize      30\r\nRed       660\r\nGreen     550\r\n' "$1"
  printf 'Blue      440\r\nFL        6000\r\nAngle     0\r\nPrism     50\r\nShift     0\r\n'
  printf 'Type      1\r\n'
}

# check_log ALTITUDE: Orvelan.log in RUN_DIR holds exactly the expected bytes.
check_log() {
  [ -f "$RUN_DIR/Orvelan.log" ] || fail "no Orvelan.log was written"
  expected_log "$1" >"$WORK/expected.log"
  cmp "$WORK/expected.log" "$RUN_DIR/Orvelan.log" >&2 ||
    fail "Orvelan.log differs; it holds: $(od -c "$RUN_DIR/Orvelan.log" | head -n 20)"
}
