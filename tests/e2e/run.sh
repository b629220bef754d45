#!/usr/bin/env bash
# Runs every end-to-end test file (tests/e2e/test_*.sh, or the ones named) in one Wine session
# inside Xvfb, and ends with the tally.
set -u
source "$(dirname "$0")/lib.sh"
trap wine_session_stop EXIT
wine_session_start

files=("$@")
[ ${#files[@]} -eq 0 ] && files=("$E2E_ROOT"/tests/e2e/test_*.sh)
for test_file in "${files[@]}"; do
  echo "# $(basename "$test_file")"
  began=$SECONDS
  source "$test_file"
  stop_programs
  echo "# $(basename "$test_file"): $((SECONDS - began)) s"
done
echo "e2e: $E2E_PASSED passed, $E2E_FAILED failed"
[ "$E2E_FAILED" -eq 0 ]
