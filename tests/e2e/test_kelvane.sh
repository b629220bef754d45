# Kelvane, the real upgrade assistant: installing an upgrade file into C:\windows, and refusing
# missing, truncated, badly named and broken ones without touching the installed database.

fresh_app_dir kelvane
KELVANE=$APP_WIN\\kelvane.exe
WINDIR=$C_DRIVE/windows
UPGRADES="$C_DRIVE/My Upgrades"
UPGRADES_WIN='C:\My Upgrades'
mkdir -p "$UPGRADES"
FAILED_TEXT="The Fenmoor Kelvane couldn't upgrade your screensaver: \\r\\n\\r\\n"

# kelvane_database DEVNAME: a small complete team database whose first line is DEVNAME.
kelvane_database() {
  printf '%s\r\n' "$1" 'Tavoria team database' 'Upgrade 18' 18 free 2 free \
    'Tavoria vs Brazil' 'The big one' 'End special fixtures' ignored \
    '14 June 2026' 'Group A' 'Tavoria vs Brazil' 18:00 x 'End Fixtures' \
    ignored 'Tavoria have never lost on a Tuesday.' 'End Trivia' \
    ignored 'Buy the shirt!' 'End Ads'
}

# kelvane_run TITLE ARGS...: starts Kelvane with ARGS (wine joins them with single blanks, as a
# shell association without quotes does), waits for the box titled TITLE, leaves it in BOX,
# presses OK and waits for the program to end. Returns 1 when the box never appears.
kelvane_run() {
  local title=$1
  shift
  BOX=
  start_program 30 "$KELVANE" "$@"
  local pid=$LAST_PID
  if ! driver wait "$title" 10000 >/dev/null; then
    wait_exit "$pid" 1 || true
    return 1
  fi
  BOX=$(driver box "$title")
  driver press "$title" OK
  wait_exit "$pid" 10 || fail "Kelvane ends after OK"
  return 0
}

# kelvane_open TITLE PATH: kelvane_run with PATH as the argument text, blanks and all.
kelvane_open() {
  local words
  read -ra words <<<"$2"
  kelvane_run "$1" "${words[@]}"
}

windows_listing() { (cd "$WINDIR" && find . -maxdepth 1 | sort); }
drive_listing() { (cd "$C_DRIVE" && find . -maxdepth 1 | sort); }

# kelvane_installs WHAT UPGRADE SOURCE: Kelvane opened on UPGRADE (a Windows path) says it upgraded
# the screensaver, and C:\windows\tavoria.sdf is then SOURCE byte for byte.
kelvane_installs() {
  if kelvane_open "Screensaver upgraded!" "$2"; then
    check "$1 is installed byte for byte" cmp -s "$3" "$WINDIR/tavoria.sdf"
  else
    fail "$1 is installed" "$(driver box 'Screensaver upgrade')"
    driver press "Screensaver upgrade" OK >/dev/null 2>&1
  fi
}

# ----- a good upgrade -------------------------------------------------------------------------

printf 'the old database\r\n' >"$WINDIR/tavoria.sdf"

# The database the product ships is itself a complete upgrade.
cp "$E2E_ROOT/assets/tavoria.sdf" "$UPGRADES/shipped.tup"
kelvane_installs "the shipped database, as an upgrade," "$UPGRADES_WIN\\shipped.tup" \
  "$E2E_ROOT/assets/tavoria.sdf"

kelvane_database tavoria >"$UPGRADES/tavoria upgrade 18.tup"
printf 'lines after End Ads are copied too\r\n' >>"$UPGRADES/tavoria upgrade 18.tup"
listing_before=$(windows_listing)
# The path holds blanks: it arrives as the whole argument text.
if kelvane_open "Screensaver upgraded!" "$UPGRADES_WIN\\tavoria upgrade 18.tup"; then
  check_equal "a good upgrade: the success box, whole" \
    "$(printf 'title=Screensaver upgraded!\ntext=Your screensaver has been upgraded!\nicon=information\nbuttons=OK')" \
    "$BOX"
  check "a good upgrade: C:\\windows\\tavoria.sdf is the upgrade file byte for byte" \
    cmp -s "$UPGRADES/tavoria upgrade 18.tup" "$WINDIR/tavoria.sdf"
  check_equal "a good upgrade: nothing else appears in C:\\windows" "$listing_before" \
    "$(windows_listing)"
else
  fail "a good upgrade: the success box appears"
fi
# A user named outside the code page, and an upgrade file named so too: the path reaches Kelvane
# whole and opens.
LUKASZ_DOWNLOADS="$C_DRIVE/users/Łukasz 李/Downloads"
mkdir -p "$LUKASZ_DOWNLOADS"
kelvane_database tavoria >"$LUKASZ_DOWNLOADS/tavoria upgrade 李.tup"
printf 'saved by Łukasz\r\n' >>"$LUKASZ_DOWNLOADS/tavoria upgrade 李.tup"
kelvane_installs "an upgrade named outside the code page" \
  'C:\users\Łukasz 李\Downloads\tavoria upgrade 李.tup' "$LUKASZ_DOWNLOADS/tavoria upgrade 李.tup"
installed=$(mktemp)
cp "$WINDIR/tavoria.sdf" "$installed"

# ----- failures leave the installed database as it was ---------------------------------------

# A missing file: the system's not-found description.
if kelvane_open "Screensaver upgrade" "$UPGRADES_WIN\\no such upgrade.tup"; then
  check_equal "a missing file: the failure box with the not-found description, whole" \
    "$(printf 'title=Screensaver upgrade\ntext=%sFile not found.\nicon=stop\nbuttons=OK' "$FAILED_TEXT")" \
    "$BOX"
else
  fail "a missing file: the failure box appears"
fi
check "a missing file: the installed database is untouched" cmp -s "$installed" "$WINDIR/tavoria.sdf"

# A download cut short before its "End Ads" line.
whole=$(kelvane_database tavoria | wc -c)
kelvane_database tavoria | head -c $((whole - 6)) >"$UPGRADES/cut.tup"  # ends in "End A"
if kelvane_open "Screensaver upgrade" "$UPGRADES_WIN\\cut.tup"; then
  check_equal "a truncated file: the failure box, whole" \
    "$(printf 'title=Screensaver upgrade\ntext=%sThe upgrade file is not a complete team database.\nicon=stop\nbuttons=OK' "$FAILED_TEXT")" \
    "$BOX"
else
  fail "a truncated file: the failure box appears"
fi
check "a truncated file: the installed database is untouched" \
  cmp -s "$installed" "$WINDIR/tavoria.sdf"
check_equal "a truncated file: no temporary file is left in C:\\windows" "$listing_before" \
  "$(windows_listing)"

# A path in double quotes is taken with its quotes, and so cannot be opened (wine puts quotes
# around one argument that holds blanks).
if kelvane_run "Screensaver upgrade" "$UPGRADES_WIN\\tavoria upgrade 18.tup"; then
  case "$BOX" in
    "title=Screensaver upgrade"$'\n'"text=$FAILED_TEXT"?*$'\n'"icon=stop"$'\n'"buttons=OK")
      pass "a quoted path: the failure box with the system's description" ;;
    *) fail "a quoted path: the failure box with the system's description" "$BOX" ;;
  esac
else
  fail "a quoted path: the failure box appears"
fi
check "a quoted path: the installed database is untouched" cmp -s "$installed" "$WINDIR/tavoria.sdf"

# A first line that climbs out of the Windows directory writes nothing anywhere.
kelvane_database '..\evil' >"$UPGRADES/evil.tup"
drive_before=$(drive_listing)
if kelvane_open "Screensaver upgrade" "$UPGRADES_WIN\\evil.tup"; then
  check_equal "a first line of ..\\evil: the failure box, whole" \
    "$(printf 'title=Screensaver upgrade\ntext=%sThe upgrade file does not name a valid database.\nicon=stop\nbuttons=OK' "$FAILED_TEXT")" \
    "$BOX"
else
  fail "a first line of ..\\evil: the failure box appears"
fi
check_equal "a first line of ..\\evil: nothing new on drive C:" "$drive_before" "$(drive_listing)"
check_equal "a first line of ..\\evil: nothing new in C:\\windows" "$listing_before" \
  "$(windows_listing)"
check "a first line of ..\\evil: no evil.sdf anywhere" \
  test -z "$(find "$C_DRIVE" -iname '*evil.sdf' 2>/dev/null)"
check "a first line of ..\\evil: the installed database is untouched" \
  cmp -s "$installed" "$WINDIR/tavoria.sdf"

# An upgrade the saver would stop on (a kick-off that is no time of day, in the days to come) is
# refused with its line and reason; the database in place stays, and the real saver, installed
# beside it, then starts on it with no error report.
cp "$E2E_ROOT/assets/tavoria.sdf" "$WINDIR/tavoria.sdf"
cp "$WINDIR/tavoria.sdf" "$installed"
kelvane_database tavoria | sed 's#^14 June 2026#14 June 2099#; s#^18:00#7.45pm#' >"$UPGRADES/broken.tup"
if kelvane_open "Screensaver upgrade" "$UPGRADES_WIN\\broken.tup"; then
  check_equal "an upgrade the saver would stop on: the failure box, whole" \
    "$(printf 'title=Screensaver upgrade\ntext=%sThe screensaver could not read the upgrade file: line 15, kick-off "7.45pm" is not a time of day.\nicon=stop\nbuttons=OK' "$FAILED_TEXT")" \
    "$BOX"
else
  fail "an upgrade the saver would stop on: the failure box appears"
fi
check "an upgrade the saver would stop on: the installed database is untouched" \
  cmp -s "$installed" "$WINDIR/tavoria.sdf"
cp "$APP_DIR/tavoria.scr" "$WINDIR/tavoria.scr"
start_program 60 'C:\windows\tavoria.scr' /s
saver=$LAST_PID
report="An error occurred - contact Fenmoor Entertainment UK tech support"
if driver wait "Screensaver Main Form" 10000 >/dev/null; then
  check "after the refusal the saver starts on the database in place, with no error report" \
    driver gone "$report" 0
else
  fail "after the refusal the saver opens its window" "$(driver box "$report" 2>/dev/null)"
fi
kill "$saver" 2>/dev/null
wait "$saver" 2>/dev/null
check "the saver, ended by its PID, is gone" driver gone "Screensaver Main Form" 5000
rm -f "$WINDIR/tavoria.scr"

# ----- what a download may not do --------------------------------------------------------------

# kelvane_refuses NAME FILE TEXT: Kelvane on the upgrade FILE (in $UPGRADES) shows the failure box
# with TEXT, and C:\windows's listing and the installed database stay as they were.
kelvane_refuses() {
  local before
  before=$(windows_listing)
  if kelvane_open "Screensaver upgrade" "$UPGRADES_WIN\\$2"; then
    check_equal "$1: the failure box, whole" \
      "$(printf 'title=Screensaver upgrade\ntext=%s%s\nicon=stop\nbuttons=OK' "$FAILED_TEXT" "$3")" \
      "$BOX"
  else
    fail "$1: the failure box appears"
  fi
  check_equal "$1: C:\\windows's listing is unchanged" "$before" "$(windows_listing)"
  check "$1: the installed database is untouched" cmp -s "$installed" "$WINDIR/tavoria.sdf"
}

# The shipped database and 80 MB of nothing after it.
cp "$E2E_ROOT/assets/tavoria.sdf" "$UPGRADES/padded.tup"
truncate -s 83886080 "$UPGRADES/padded.tup"
kelvane_refuses "an upgrade of 80 MB" padded.tup \
  "The upgrade file is 83886080 bytes, larger than a team database can be (at most 1048576 bytes, 1 MiB)."
# Saved as UTF-8 by a text editor.
{ printf '\xEF\xBB\xBF'; kelvane_database tavoria; } >"$UPGRADES/bom.tup"
kelvane_refuses "a byte-order mark" bom.tup \
  "The first line of the upgrade file is not a plain name: it starts with a byte-order mark, as a text editor writes when it saves the file as Unicode."

# Kelvane reads the dates as the saver of the user at the desktop will. Under Wine that user and
# Kelvane's own account are one, whose dates read month first; the tests' hook names another
# user's settings (here the default profile's, day first), or none it can tell.
wine reg add 'HKU\.Default\Control Panel\International' /v sShortDate /d dd/MM/yyyy /f \
  >/dev/null 2>&1
kelvane_database tavoria | sed 's#^14 June 2026#14/06/2099#' >"$UPGRADES/day first.tup"
kelvane_refuses "a date the desktop user's saver reads month first" "day first.tup" \
  'The screensaver could not read the upgrade file: line 12, "14/06/2099" is not a date.'
export TAVORIA_TEST_ONLY_DESKTOP_USER=
kelvane_refuses "a date, the desktop user's settings unknown" "day first.tup" \
  'The screensaver could not read the upgrade file where dates are written month-day-year: line 12, "14/06/2099" is not a date.'
export TAVORIA_TEST_ONLY_DESKTOP_USER=.Default
kelvane_installs "a date the desktop user reads day first, whatever Kelvane's account reads," \
  "$UPGRADES_WIN\\day first.tup" "$UPGRADES/day first.tup"
unset TAVORIA_TEST_ONLY_DESKTOP_USER
wine reg delete 'HKU\.Default\Control Panel\International' /v sShortDate /f >/dev/null 2>&1

# Two Kelvanes started together, on a good upgrade and one the saver would stop on: the good one
# is installed, the other refused, and no temporary file stays behind.
kelvane_database tavoria | sed 's#^Upgrade 18#Upgrade 19#; s#^18$#19#' >"$UPGRADES/good.tup"
kelvane_database tavoria | sed 's#^14 June 2026#14 June 2099#; s#^18:00#7.45pm#' >"$UPGRADES/broken.tup"
for round in 1 2 3; do
  cp "$installed" "$WINDIR/tavoria.sdf"
  before=$(windows_listing)
  start_program 30 "$KELVANE" 'C:\My' 'Upgrades\good.tup'
  good=$LAST_PID
  start_program 30 "$KELVANE" 'C:\My' 'Upgrades\broken.tup'
  broken=$LAST_PID
  if driver wait "Screensaver upgraded!" 10000 >/dev/null &&
    driver wait "Screensaver upgrade" 10000 >/dev/null; then
    check "two at once, round $round: the refusal names the broken upgrade's line" \
      grep -q 'line 15, kick-off' <<<"$(driver box "Screensaver upgrade")"
    driver press "Screensaver upgraded!" OK
    driver press "Screensaver upgrade" OK
  else
    fail "two at once, round $round: one box each" "$(driver box 'Screensaver upgrade' 2>&1)"
  fi
  wait_exit "$good" 10 && wait_exit "$broken" 10 || fail "two at once, round $round: both end"
  check "two at once, round $round: the good upgrade is installed" \
    cmp -s "$UPGRADES/good.tup" "$WINDIR/tavoria.sdf"
  check_equal "two at once, round $round: C:\\windows's listing is unchanged" "$before" \
    "$(windows_listing)"
done
cp "$installed" "$WINDIR/tavoria.sdf"

# No argument at all.
if kelvane_run "Couldn't upgrade!"; then
  check_equal "no argument: the short box, whole" \
    "$(printf "title=Couldn't upgrade!\ntext=The Fenmoor Kelvane couldn't upgrade your screensaver.\nicon=information\nbuttons=OK")" \
    "$BOX"
else
  fail "no argument: the short box appears"
fi
rm -f "$installed"
