# A second run over an existing log, closed at once by the close request a window manager
# sends for the close box: the start ignores the old log, the close replaces it with the
# start values (155 bytes), and the program ends with 0.
source "$(dirname "$0")/e2e_lib.sh"

expected_log 46 >"$RUN_DIR/Orvelan.log"
printf 'an old tail that must not survive\r\n' >>"$RUN_DIR/Orvelan.log"

start_xvfb
start_app
wait_main_window --onlyvisible
"$CLOSE_REQUEST" "$WIN" || fail "could not send the close request"
wait_exit
[ "$APP_RC" -eq 0 ] || fail "exit code $APP_RC"
check_log 45
[ "$(stat -c %s "$RUN_DIR/Orvelan.log")" -eq 155 ] || fail "the log is not 155 bytes"
echo "PASS: close request ends with 0 and writes the 155-byte default log"
