# tavdb.exe, the makers' tool, under Wine: the World Cup fixture list built into a database (too
# big whole, its earliest 100 clean), checked, and run by the real tavoria.scr /s in a fresh
# folder, which loads it with no error report; one team's matches in London time, byte for byte
# as the native tavdb builds them, by the same tzdata version.

fresh_app_dir tavdb
TAVDB_TITLE="Screensaver Main Form"
REPORT_TITLE="An error occurred - contact Fenmoor Entertainment UK tech support"
cp "$E2E_ROOT/tests/data/worldcup-2026.json" "$APP_DIR/"
printf '%s\n' 'Curaçao play their first World Cup.' 'Tavoria have never lost on a Tuesday.' \
  >"$APP_DIR/facts.txt"
printf '%s\n' 'The official shirt – now in the shop!' >"$APP_DIR/adverts.txt"

# tavdb ARGS...: runs tavdb.exe in the app folder; its exit status in TAVDB_STATUS, its standard
# output and error (CR LF turned into LF) in TAVDB_OUT and TAVDB_ERR.
tavdb() {
  (cd "$APP_DIR" && timeout 60 wine tavdb.exe "$@" </dev/null >"$E2E_TMP/tavdb.out" \
    2>"$E2E_TMP/tavdb.err")
  TAVDB_STATUS=$?
  TAVDB_OUT=$(tr -d '\r' <"$E2E_TMP/tavdb.out")
  TAVDB_ERR=$(tr -d '\r' <"$E2E_TMP/tavdb.err")
}

# Scotland's matches in London time: tavdb.exe reads the zone files beside it, the native tavdb
# (build/dist/tavdb, from the tools preset) the system's.
tavdb build worldcup-2026.json --team Scotland --zone Europe/London --number 19 -o scotland.tup
check_equal "build --team Scotland --zone Europe/London: exit status 0" 0 "$TAVDB_STATUS"
tzdata=$(sed -n '1s/^# version //p' /usr/share/zoneinfo/tzdata.zi)
check_equal "build --team Scotland --zone Europe/London: the summary names the tzdata version" \
  "scotland.tup: 0 special fixtures, 3 fixtures, 0 facts, 0 adverts, database number 19, 617 bytes of Windows-1252 text, times in Europe/London (tzdata $tzdata)" \
  "$TAVDB_OUT"
if [ -x "$DIST/tavdb" ]; then
  (cd "$APP_DIR" && "$DIST/tavdb" build worldcup-2026.json --team Scotland --zone Europe/London \
    --number 19 -o "$E2E_TMP/scotland-native.tup" >"$E2E_TMP/native.out" 2>&1)
  check "tavdb.exe builds byte for byte what the native tavdb builds" \
    cmp "$APP_DIR/scotland.tup" "$E2E_TMP/scotland-native.tup"
  check_equal "the native tavdb says the same, the tzdata version included" "$TAVDB_OUT" \
    "$(sed "s|^$E2E_TMP/scotland-native.tup|scotland.tup|" "$E2E_TMP/native.out")"
else
  fail "the native tavdb to compare with" "build/dist/tavdb is missing: cmake --preset tools && cmake --build build/tools --target tavdb"
fi
mv "$APP_DIR/zoneinfo" "$APP_DIR/zoneinfo-away"
tavdb build worldcup-2026.json --team Scotland --zone Europe/London --number 19 -o scotland.tup
check_equal "without the zone files beside it: exit status 2" 2 "$TAVDB_STATUS"
check_equal "without the zone files beside it: it says where they belong" \
  "tavdb: no time zone rules: the folder $APP_WIN\\zoneinfo is missing (the IANA time zone database's compiled files; tavdb.exe reads them from the folder zoneinfo beside it)" \
  "$TAVDB_ERR"
mv "$APP_DIR/zoneinfo-away" "$APP_DIR/zoneinfo"

rm -f "$APP_DIR/tavoria.sdf"
tavdb build worldcup-2026.json --facts facts.txt --adverts adverts.txt --number 18 -o tavoria.sdf
check_equal "build: all 104 matches do not fit, exit status 1" 1 "$TAVDB_STATUS"
check_equal "build: the kick-offs are written on the venues' clocks, with a warning" \
  'worldcup-2026.json:3: warning: the kick-offs carry UTC offsets and are written in each venue'"'"'s local time ("13:00 UTC-6" as 13:00); --zone AREA/CITY writes them in the fans'"'"' own time' \
  "$(head -n1 <<<"$TAVDB_ERR")"
check_equal "build: the error names the first match that does not fit" \
  'worldcup-2026.json:1210: error: the fixture "France vs Spain" on 2026-07-14 does not fit: the saver'"'"'s fixture list holds 100 entries, in kick-off order this is the 101st (4 fixtures too many; --limit 100 keeps the earliest)' \
  "$(tail -n +2 <<<"$TAVDB_ERR")"
check "build: nothing is written" test ! -e "$APP_DIR/tavoria.sdf"

tavdb build worldcup-2026.json --facts facts.txt --adverts adverts.txt --number 18 --limit 100 \
  -o tavoria.sdf
check_equal "build --limit 100: exit status 0" 0 "$TAVDB_STATUS"
check_equal "build --limit 100: what was written" \
  "tavoria.sdf: 0 special fixtures, 100 fixtures, 2 facts, 1 advert, database number 18, 11089 bytes of Windows-1252 text" \
  "$TAVDB_OUT"
check "build --limit 100: Curaçao in Windows-1252, lines in CR LF" \
  grep -q $'Ecuador vs Cura\xe7ao\r$' "$APP_DIR/tavoria.sdf"
check "build --limit 100: no temporary file is left" test ! -e "$APP_DIR/tavoria.sdf.tavdb-new"

tavdb check tavoria.sdf --date 2026-06-01
check_equal "check before the tournament: exit status 0" 0 "$TAVDB_STATUS"
check_equal "check before the tournament: no error, no warning" "" "$TAVDB_ERR"
check_equal "check before the tournament: the saver's verdict" \
  "tavoria.sdf: 0 errors, 0 warnings on 2026-06-01 in dmy order; the saver loads it: 100 fixture texts, 2 facts, 1 advert" \
  "$TAVDB_OUT"

# A database named outside the code page opens, and its name comes out whole: UTF-8 into a file,
# the characters themselves on a console (Wine's console shows no character beyond U+FFFF).
cp "$APP_DIR/tavoria.sdf" "$APP_DIR/Łukasz 李 😀.sdf"
tavdb check 'Łukasz 李 😀.sdf' --date 2026-06-01
check_equal "check of a database named Łukasz 李 😀.sdf: the name printed whole" \
  "Łukasz 李 😀.sdf: 0 errors, 0 warnings on 2026-06-01 in dmy order; the saver loads it: 100 fixture texts, 2 facts, 1 advert" \
  "$TAVDB_OUT"
console=$(cd "$APP_DIR" && timeout 60 script -qec "wine tavdb.exe check 'Łukasz 李.sdf'" /dev/null \
  </dev/null 2>/dev/null)
check "on a console, a missing Łukasz 李.sdf is named whole" \
  grep -q 'Łukasz 李.sdf: error: cannot read the file: File not found' <<<"$console"

tavdb show tavoria.sdf --date 2026-06-11 --time 12:00
check_equal "show on the first day: the opening match, marked" \
  "fixture: World Cup 2026, Group A - Thursday, 11 June 2026 | Mexico vs South Africa - K/O: 13:00 **TODAY!**" \
  "$(head -n1 <<<"$TAVDB_OUT")"

# The real saver with the built database in a fresh folder: no error report, its window opens and
# shows a text.
start_program 60 "$APP_WIN\\tavoria.scr" /s
saver=$LAST_PID
if driver wait "$TAVDB_TITLE" 10000 >/dev/null; then
  pass "the saver opens its window on the built database"
  check "no error report is shown" driver gone "$REPORT_TITLE" 0
  one_text() {
    [ "$(driver controls "$TAVDB_TITLE" | awk -F'|' '$1 == "Static" && $3 == 1 && $5 != ""' |
      wc -l)" = 1 ]
  }
  check "the saver shows a text after its credits" until_true 10 one_text
  driver controls "$TAVDB_TITLE" | awk -F'|' '$1 == "Static" && $3 == 1 && $5 != "" { print "# shown: " $5 }'
else
  fail "the saver opens its window on the built database" "$(driver box "$REPORT_TITLE" 2>/dev/null)"
fi
check "no error report before or after" driver gone "$REPORT_TITLE" 0
kill "$saver" 2>/dev/null
wait "$saver" 2>/dev/null
check "the saver, ended by its PID, is gone" driver gone "$TAVDB_TITLE" 5000
