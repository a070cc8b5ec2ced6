# A user's session: one click on the altitude's up arrow, the About box opened and closed
# twice with the keyboard, then File > Exit with Alt+F, X. The program ends with 0 and its
# log holds the new altitude.
source "$(dirname "$0")/e2e_lib.sh"

start_xvfb
start_app
wait_main_window --onlyvisible
geometry_of "$WIN"
main_x=$X main_y=$Y
menu_h=$((HEIGHT - PANEL_H))
[ "$WIDTH" -eq 665 ] && [ "$menu_h" -gt 0 ] || fail "window is ${WIDTH}x${HEIGHT}, not 665 wide with a menu bar above 481"
# The window is centred on the screen (integer halves).
[ "$main_x" -eq $(((SCREEN_W - WIDTH) / 2)) ] && [ "$main_y" -eq $(((SCREEN_H - HEIGHT) / 2)) ] ||
  fail "window at $main_x,$main_y is not centred"

# UpDown1 lies at (112, 192) in GroupBox1 at (8, 8) in the panel; its up arrow is the upper
# 9 x 10 pixels. Click the middle of that arrow.
xdotool mousemove --sync $((main_x + 8 + 112 + 4)) $((main_y + menu_h + 8 + 192 + 5)) click 1

another_visible() { [ "$(visible_windows | wc -l)" -ge "$1" ]; }
about_box() { app_windows --onlyvisible | grep -vx "$WIN" | head -n1; }
about_open() { [ -n "$(about_box)" ]; }
about_closed() { [ -z "$(about_box)" ]; }

for round in 1 2; do
  xdotool windowfocus --sync "$WIN"
  xdotool key alt+v
  wait_until 10 another_visible 2 || fail "Alt+V opened no menu (round $round)"
  xdotool key i
  wait_until 10 about_open || fail "Alt+V, I opened no About box (round $round)"
  about=$(about_box)
  geometry_of "$about"
  cx=$((X + WIDTH / 2)) cy=$((Y + HEIGHT / 2))
  [ $((cx - SCREEN_W / 2)) -ge -1 ] && [ $((cx - SCREEN_W / 2)) -le 1 ] &&
    [ $((cy - SCREEN_H / 2)) -ge -1 ] && [ $((cy - SCREEN_H / 2)) -le 1 ] ||
    fail "About box centred at $cx,$cy, not on the screen's centre"
  xdotool key Return
  wait_until 10 about_closed || fail "Return did not close the About box (round $round)"
done

# No window manager gives the focus back when the box goes; a user's click would.
xdotool windowfocus --sync "$WIN"
xdotool key alt+f
wait_until 10 another_visible 2 || fail "Alt+F opened no menu"
xdotool key x
wait_exit
[ "$APP_RC" -eq 0 ] || fail "exit code $APP_RC"
check_log 46
grep -q $'^Altitude  46\r$' "$RUN_DIR/Orvelan.log" || fail "no line 'Altitude  46'"
echo "PASS: click, About twice, Alt+F X; exit 0; log says Altitude  46"
