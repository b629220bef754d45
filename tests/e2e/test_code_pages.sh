# The real saver on code pages 1252, 1251 and 1253, read as Unicode: a database's letters, the
# ticks; a database that declares its text reads right on every code page.
in_russian() { LC_ALL=ru_RU.UTF-8 "$@"; } 2>/dev/null
in_greek() { LC_ALL=el_GR.UTF-8 "$@"; } 2>/dev/null
check_equal "LC_ALL=ru_RU.UTF-8: code page 1251" 1251 "$(in_russian driver codepage)"
check_equal "LC_ALL=el_GR.UTF-8: code page 1253" 1253 "$(in_greek driver codepage)"
# shows RUN CODEPAGE FACT ADVERT TEAM [LINE5]: the saver on such a database, written in that code
# page, until each text is seen.
shows() {
  local ads=() n label="$2 text${1:+ $1}" && for n in $(seq 30); do ads+=("$4"); done
  rm -f "$E2E_TMP/$2"
  fresh_app_dir "$2" && printf '0.25\r\n' >"$APP_DIR/tavoria_config.ini"
  printf '%s\r\n' tavoria T F 18 "${6:-free}" 2 S 'End special fixtures' F '12 June 2030' Friendly \
    "Tavoria vs $5" 19:45 A 'End Fixtures' T "$3" 'End Trivia' A "${ads[@]}" 'End Ads' |
    iconv -f UTF-8 -t "$2" >"$APP_DIR/tavoria.sdf"
  $1 start_program 90 "$APP_WIN\\tavoria.scr" /s
  set -- "$2" "${3:-none}" "${4:-none}" "Tavoria vs $5 - K/O: 19:45"
  seen_all() {
    driver controls "Screensaver Main Form" | cut -d'|' -f5- >>"$E2E_TMP/$1"
    for text in "${@:2}"; do grep -qF -- "$text" "$E2E_TMP/$1" || return 1; done
  }
  until_true 40 seen_all "$@"
  for text in "${@:2}"; do check "$label: $text" grep -qF -- "$text" "$E2E_TMP/$1"; done
  stop_programs
}
shipped() { iconv -f CP1252 -t UTF-8 "$E2E_ROOT/assets/tavoria.sdf" | grep -a -- "$1" | tr -d '\r'; }
shows "" CP1252 "$(shipped 'Matej Šorvan')" "$(shipped 'just £9.99')" Curaçao
shows in_russian CP1251 'Тренер сборной Иван Петров.' 'Всего 99 руб. в месяц!' Россия
# The shipped database's own lines and declaration, on Russian and Greek systems.
declared=$(sed -n 5p "$E2E_ROOT/assets/tavoria.sdf" | tr -d '\r')
shows in_russian CP1252 "$(shipped 'Matej Šorvan')" "$(shipped 'just £9.99')" Curaçao "$declared"
shows in_greek CP1252 "$(shipped 'Matej Šorvan')" "$(shipped 'just £9.99')" Curaçao "$declared"
check "code page 1251: the internet panel's ticks are Wingdings ticks" grep -q 'PASSED.*1 test' \
  <<<"$(in_russian wine "$WIN_BUILD/tests/win32_tests.exe" --gtest_filter='SaverText.*' </dev/null)"
