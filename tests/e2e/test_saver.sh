# The full-screen saver, the real tavoria.scr /s: credits, display, single instance, the end on
# pointer movement and the advert panel.

fresh_app_dir saver
SCR=$APP_WIN\\tavoria.scr
TITLE="Screensaver Main Form"

# The colour of a pixel of a screenshot, as r,g,b.
pixel() {
  /usr/bin/convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}
# The share (0 to 1) of a screenshot's pixels near a colour.
share_of() {
  /usr/bin/convert "$1" -fuzz 3% -fill white -opaque "$2" -fill black +opaque white \
    -format '%[fx:mean]' info:
}
shot() { echo "$E2E_ROOT/build/screenshots/$1.png"; }

start_program 200 "$SCR" /s
saver=$LAST_PID
started=$SECONDS
if driver wait "$TITLE" 10000 >/dev/null; then
  pass "/s opens the window titled \"$TITLE\""
else
  fail "/s opens the window titled \"$TITLE\""
fi
# Pointer movements in the first second only record the position (checked further on).
xdotool mousemove 100 100 mousemove 300 200

# The credits: a light grey panel of 281 x 209 pixels in the middle of the black screen.
screenshot saver-credits
controls=$(driver controls "$TITLE")  # at once: the credits last only 1.5 s
s=$(shot saver-credits)
check_equal "credits: the centre is light grey" "192,192,192" "$(pixel "$s" 512 400)"
check_equal "credits: the panel's top-left corner" "192,192,192" "$(pixel "$s" 372 280)"
check_equal "credits: just outside the panel is black" "0,0,0" "$(pixel "$s" 370 278)"
check_equal "credits: just beyond its bottom-right is black" "0,0,0" "$(pixel "$s" 654 490)"
grey=$(share_of "$s" "rgb(192,192,192)")
check "credits: the panel is most of the light grey on screen ($grey)" \
  awk -v g="$grey" 'BEGIN { exit !(g > 0.055 && g < 0.075) }'
check "credits: the name is on screen" grep -q '^Static|[0-9]*|1|.*|Tavoria Screensaver$' <<<"$controls"

# At 1.5 s: the pictures and a text, the credits gone.
shown_pictures() {
  driver controls "$TITLE" | awk -F'|' '$1 == "TavoriaPicture" && $3 == 1 { print $4 }'
}
six_pictures() { [ "$(shown_pictures | wc -l)" = 6 ]; }
check "display: the six pictures are shown" until_true 10 six_pictures
texts=$(driver controls "$TITLE" | awk -F'|' '$1 == "Static" && $3 == 1 && $5 != ""' | wc -l)
check_equal "display: one text is shown" 1 "$texts"
screenshot saver-display
s=$(shot saver-display)
check_equal "display: the credits are gone" "0,0,0" "$(pixel "$s" 512 470)"
check "display: the flag's blue is on screen" awk -v g="$(share_of "$s" "rgb(18,52,140)")" \
  'BEGIN { exit !(g > 0.05) }'

# A second /s ends at once and leaves the first running.
start_program 30 "$SCR" /s
second=$LAST_PID
if wait_exit "$second" 10; then check_equal "a second /s ends at once" 0 "$EXIT_CODE"
else fail "a second /s ends at once"; fi
check "the first saver keeps running" running "$saver"

check "a pointer movement in the opening phase does not end the saver" running "$saver"
check_equal "the pointer is hidden while the saver runs" hidden "$(driver cursor)"

# A panel at 60 s.
past_a_minute() { [ $((SECONDS - started)) -ge 61 ]; }
until_true 70 past_a_minute
shown_panels() { shown_pictures | grep ',361,'; }
one_panel() { [ "$(shown_panels | wc -l)" = 1 ]; }
until_true 10 one_panel
panel=$(shown_panels)
case "$panel" in
  33[12],*,361,449 | 33[12],*,361,473) pass "60 s: one advert panel, centred ($panel)" ;;
  *) fail "60 s: one advert panel, centred" "$panel" ;;
esac
screenshot saver-panel
check "60 s: the saver still runs" running "$saver"

# Movement now ends the saver with exit code 0 and the pointer shown again.
xdotool mousemove 500 400
sleep 0.2
xdotool mousemove 520 410
if wait_exit "$saver" 10; then
  check_equal "a pointer movement after 3.6 s ends the saver with exit code 0" 0 "$EXIT_CODE"
else
  fail "a pointer movement after 3.6 s ends the saver"
fi
check_equal "the pointer is visible again" shown "$(driver cursor)"
check "the window is gone" driver gone "$TITLE" 5000

# A key after the opening phase ends the saver too.
start_program 60 "$SCR" /s
saver=$LAST_PID
if driver wait "$TITLE" 10000 >/dev/null; then
  opened=$SECONDS
  past_the_opening() { [ $((SECONDS - opened)) -ge 5 ]; }
  until_true 10 past_the_opening
  xdotool key space
  if wait_exit "$saver" 10; then
    check_equal "a key after 3.6 s ends the saver with exit code 0" 0 "$EXIT_CODE"
  else
    fail "a key after 3.6 s ends the saver"
  fi
  check_equal "the pointer is visible again after a key" shown "$(driver cursor)"
else
  fail "/s opens the window a second time"
fi
