# A fan's own clock: the Scotland database tavdb builds in London time, on the real saver in New
# York, London and Kolkata on the day of Haiti vs Scotland (21:00 UTC-4 on 13 June 2026), each
# computer's zone from TZ and its clock set by faketime. The kick-off's instant is shown on the
# computer's clock by Windows' own rules, with the marker on the fan's own match day. Then a
# Turkish league's UTF-8 database on a Western system in London.
"$DIST/tavdb" build "$E2E_ROOT/tests/data/worldcup-2026.json" --team Scotland --zone Europe/London \
  --number 19 -o "$E2E_TMP/scotland.sdf" >/dev/null
"$DIST/tavdb" build "$E2E_ROOT/tests/data/super-lig-2024-25-excerpt.json" --team Beşiktaş \
  --source-zone Europe/Istanbul --number 20 -o "$E2E_TMP/besiktas.sdf" >/dev/null
zones_db=$E2E_TMP/scotland.sdf
# on_clock ZONE LOCAL-TIME CAPTION MATCH: the saver on $zones_db there and then shows the fixture so.
on_clock() {
  fresh_app_dir zones && cp "$zones_db" "$APP_DIR/tavoria.sdf"
  printf '2\r\n' >"$APP_DIR/tavoria_config.ini"
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  timeout 60 env TZ="$1" DONT_FAKE_MONOTONIC=1 faketime -f "@$2" wine "$APP_WIN\\tavoria.scr" /s \
    </dev/null >/dev/null 2>&1 &
  LAST_PID=$!
  E2E_PIDS+=("$LAST_PID")
  : >"$E2E_TMP/shown"
  shown() {
    driver controls "Screensaver Main Form" | cut -d'|' -f5- >>"$E2E_TMP/shown"
    grep -qF -- "$3" "$E2E_TMP/shown" && grep -qF -- "$4" "$E2E_TMP/shown"
  }
  until_true 40 shown "$@"
  check "$1 at $2: $3" grep -qF -- "$3" "$E2E_TMP/shown"
  check "$1 at $2: $4" grep -qF -- "$4" "$E2E_TMP/shown"
  stop_programs
  wine_server_restart
}
caption="World Cup 2026, Group C -"
on_clock America/New_York "2026-06-13 20:00:00" "$caption Saturday, 13 June 2026" \
  "Haiti vs Scotland - K/O: 21:00 **TODAY!**"
on_clock Europe/London "2026-06-14 01:00:00" "$caption Sunday, 14 June 2026" \
  "Haiti vs Scotland - K/O: 02:00 **TODAY!**"
on_clock Asia/Kolkata "2026-06-14 05:00:00" "$caption Sunday, 14 June 2026" \
  "Haiti vs Scotland - K/O: 06:30 **TODAY!**"
zones_db=$E2E_TMP/besiktas.sdf
on_clock Europe/London "2024-08-11 12:00:00" \
  "Turkish Süper Lig 2024/25, Matchday 1 - Sunday, 11 August 2024" \
  "Samsunspor vs Beşiktaş - K/O: 19:45 **TODAY!**"
