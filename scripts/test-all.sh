#!/usr/bin/env bash
# Everything, from a fresh Debian 12 machine: installs what is missing, builds the native and the
# Windows configurations and the fuzzers, and runs every test: native (ASan + UBSan), the same
# logic tests as Windows programs under Wine, the Win32 layer's tests, end to end under Wine in
# Xvfb, and a bounded fuzz run. Ends with "N passed, N failed".
#
#   FUZZ_SECONDS   seconds each fuzzer runs (default 20)
#   JOBS           parallel build jobs (default: the number of cores)
set -u
cd "$(dirname "$0")/.."
ROOT=$PWD
FUZZ_SECONDS=${FUZZ_SECONDS:-20}
JOBS=${JOBS:-$(nproc)}
LOGS=$ROOT/build/logs
PASSED=0
FAILED=0
SUMMARY=()

note() { SUMMARY+=("$1"); echo "== $1"; }
add() {  # add KIND PASSED FAILED
  PASSED=$((PASSED + $2))
  FAILED=$((FAILED + $3))
  note "$1: $2 passed, $3 failed"
}

bash scripts/install-deps.sh || { echo "installing the packages failed"; echo "0 passed, 1 failed"; exit 1; }
mkdir -p "$LOGS"
rm -f "$LOGS/wine-units.txt"
start=$SECONDS

# ----- formatting -------------------------------------------------------------------------------
if git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror >"$LOGS/format.log" 2>&1; then
  add "formatting (clang-format)" 1 0
else
  grep -o '^[^:]*:[0-9]*' "$LOGS/format.log" | sort -u | head -10
  add "formatting (clang-format)" 0 1
fi

# ----- native -----------------------------------------------------------------------------------
if cmake --preset native >"$LOGS/native-configure.log" 2>&1 &&
   cmake --build build/native -j"$JOBS" >"$LOGS/native-build.log" 2>&1; then
  (cd build/native && ctest -j"$JOBS" --output-on-failure >"$LOGS/native-tests.log" 2>&1)
  total=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\2/p' "$LOGS/native-tests.log")
  bad=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\1/p' "$LOGS/native-tests.log")
  add "native tests (ASan + UBSan)" $(( ${total:-0} - ${bad:-0} )) "${bad:-1}"
  [ "${bad:-1}" != 0 ] && grep -E 'Failed|\*\*\*' "$LOGS/native-tests.log" | head -20
else
  tail -30 "$LOGS/native-build.log" 2>/dev/null || cat "$LOGS/native-configure.log"
  add "native build" 0 1
fi

# ----- the makers' tool for this machine ------------------------------------------------------
if cmake --preset tools >"$LOGS/tools-configure.log" 2>&1 &&
   cmake --build build/tools -j"$JOBS" --target tavdb >"$LOGS/tools-build.log" 2>&1 &&
   build/dist/tavdb 2>&1 | grep -q '^usage: tavdb'; then
  add "tavdb for this machine in build/dist" 1 0
else
  tail -30 "$LOGS/tools-build.log" 2>/dev/null || cat "$LOGS/tools-configure.log"
  add "tavdb for this machine in build/dist" 0 1
fi

# ----- Windows ----------------------------------------------------------------------------------
windows_built=0
if cmake --preset windows >"$LOGS/windows-configure.log" 2>&1 &&
   cmake --build build/windows -j"$JOBS" >"$LOGS/windows-build.log" 2>&1; then
  windows_built=1
  [ -f build/dist/tavoria.scr ] && [ -f build/dist/tavoria.sdf ] &&
    (cd build/dist && sha256sum --check --quiet SHA256SUMS) && add "delivery folder build/dist" 1 0 ||
    add "delivery folder build/dist" 0 1
  # The same deliverables again in another folder; tests/e2e/test_signing.sh then signs that tree.
  if JOBS=$JOBS bash scripts/check-reproducible.sh >"$LOGS/reproducible.log" 2>&1; then
    add "reproducible deliverables ($(sed -n 's/^second build and comparison: //p' "$LOGS/reproducible.log"))" 1 0
  else
    grep -E '^(differs|not reproducible)' "$LOGS/reproducible.log" | head -20
    add "reproducible deliverables" 0 1
  fi
else
  tail -30 "$LOGS/windows-build.log" 2>/dev/null || cat "$LOGS/windows-configure.log"
  add "Windows build" 0 1
fi

if [ $windows_built = 1 ]; then
  # One Wine session for the Windows unit tests and the end-to-end tests.
  (
    source tests/e2e/lib.sh
    trap wine_session_stop EXIT
    wine_session_start
    for exe in build/windows/tests/logic_tests.exe build/windows/tests/win32_tests.exe; do
      [ -f "$exe" ] || continue
      name=$(basename "$exe" .exe)
      timeout 600 wine "$exe" --gtest_brief=1 </dev/null >"$LOGS/$name-wine.log" 2>&1
      ok=$(sed -n 's/.*\[  PASSED  \] \([0-9]*\) test.*/\1/p' "$LOGS/$name-wine.log" | tr -d '\r')
      bad=$(sed -n 's/.*\[  FAILED  \] \([0-9]*\) test.*/\1/p' "$LOGS/$name-wine.log" | tr -d '\r')
      [ -z "$ok$bad" ] && bad=1
      echo "$name ${ok:-0} ${bad:-0}" >>"$LOGS/wine-units.txt"
      [ "${bad:-0}" != 0 ] && tr -d '\r' <"$LOGS/$name-wine.log" | grep -E 'FAILED|Failure' | head -20
    done
    for test_file in tests/e2e/test_*.sh; do
      echo "# $(basename "$test_file")"
      began=$SECONDS
      source "$test_file"
      stop_programs
      echo "# $(basename "$test_file"): $((SECONDS - began)) s"
    done
    echo "e2e $E2E_PASSED $E2E_FAILED" >>"$LOGS/wine-units.txt"
  ) 2>&1 | tee "$LOGS/e2e.log" | grep -E '^(not ok|#)|FAILED|Failure'
  [ -f "$LOGS/wine-units.txt" ] || echo "wine-session 0 1" >"$LOGS/wine-units.txt"
  while read -r kind ok bad; do
    case $kind in
      logic_tests) add "logic tests as Windows programs under Wine" "$ok" "$bad" ;;
      win32_tests) add "Win32 layer tests under Wine" "$ok" "$bad" ;;
      e2e) add "end to end under Wine in Xvfb" "$ok" "$bad" ;;
      *) add "$kind" "$ok" "$bad" ;;
    esac
  done <"$LOGS/wine-units.txt"
  rm -f "$LOGS/wine-units.txt"
fi

# ----- fuzzing ----------------------------------------------------------------------------------
if cmake --preset fuzz >"$LOGS/fuzz-configure.log" 2>&1 &&
   cmake --build build/fuzz -j"$JOBS" >"$LOGS/fuzz-build.log" 2>&1; then
  ok=0
  bad=0
  for fuzzer in build/fuzz/fuzz_*; do
    [ -x "$fuzzer" ] || continue
    name=$(basename "$fuzzer")
    corpus=build/fuzz/corpus/$name
    mkdir -p "$corpus"
    seeds=tests/fuzz/seeds/$name
    [ -d "$seeds" ] || seeds=
    if "$fuzzer" -max_total_time="$FUZZ_SECONDS" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix=build/fuzz/ "$corpus" $seeds >"$LOGS/$name.log" 2>&1; then
      ok=$((ok + 1))
      echo "$name: $(grep -o 'Done [0-9]* runs' "$LOGS/$name.log" | tail -1)"
    else
      bad=$((bad + 1))
      echo "$name failed:"; tail -30 "$LOGS/$name.log"
    fi
  done
  add "fuzzers (${FUZZ_SECONDS} s each)" "$ok" "$bad"
else
  tail -30 "$LOGS/fuzz-build.log" 2>/dev/null || cat "$LOGS/fuzz-configure.log"
  add "fuzz build" 0 1
fi

echo
printf '%s\n' "${SUMMARY[@]}"
echo "time: $((SECONDS - start)) s"
echo "$PASSED passed, $FAILED failed"
[ "$FAILED" -eq 0 ]
