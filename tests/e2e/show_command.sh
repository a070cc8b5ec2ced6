# The show command of the start: "-iconic" asks for a minimised first show, "-maximized" for
# a maximised one, and nothing for a normal one. With no window manager the request is seen
# in the window's hints; each run then ends by a close request and writes its log.
source "$(dirname "$0")/e2e_lib.sh"

start_xvfb

# run_with "ARG or empty" CHECK: starts, waits for the window, runs CHECK, closes.
run_with() {
  rm -f "$RUN_DIR/Orvelan.log"
  if [ -n "$1" ]; then start_app "$1"; else start_app; fi
  wait_main_window
  has_hints() { xprop -id "$WIN" WM_HINTS _NET_WM_STATE >"$WORK/props" 2>/dev/null &&
    grep -q '^WM_HINTS(WM_HINTS):' "$WORK/props"; }
  wait_until 10 has_hints || fail "no window hints for start '$1'"
  "$2" || fail "start '$1': $(cat "$WORK/props")"
  "$CLOSE_REQUEST" "$WIN" || fail "could not send the close request"
  wait_exit
  [ "$APP_RC" -eq 0 ] || fail "start '$1': exit code $APP_RC"
  check_log 45
}

# Qt asks for a minimised first show with _NET_WM_STATE_HIDDEN on the unmapped window.
iconic() { grep -Eq 'Initial state is Iconic State|_NET_WM_STATE_HIDDEN' "$WORK/props"; }
maximized() {
  grep -q '_NET_WM_STATE_MAXIMIZED_VERT' "$WORK/props" &&
    grep -q '_NET_WM_STATE_MAXIMIZED_HORZ' "$WORK/props" && ! iconic
}
normal() { ! iconic && ! grep -q '_NET_WM_STATE_MAXIMIZED' "$WORK/props"; }

run_with "" normal
run_with -iconic iconic
run_with -maximized maximized
echo "PASS: normal, minimised and maximised starts as asked; each ends with 0 and its log"
