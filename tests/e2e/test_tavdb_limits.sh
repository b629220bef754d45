# The native tavdb (the tools build: the sanitizers' build cannot run under ulimit -v) on inputs at
# its limit of 8 MiB, each made of the smallest fault or value over and over: with 400 MB of
# memory (ulimit -v) each build ends with exit status 1, at most 100 diagnostics of the file and a
# count of the rest, its peak memory (measured with /usr/bin/time) under ten times the input. With
# too little memory it says so, with exit status 2. Names holding backslashes and the characters
# Windows refuses are read and written as they stand.

LIM=$E2E_TMP/limits
mkdir -p "$LIM"
python3 - "$LIM" <<'PY'
import os, sys
folder, limit = sys.argv[1], 8 << 20
def fill(name, head, unit, tail=""):
    count = (limit - len(head) - len(tail)) // len(unit)
    with open(os.path.join(folder, name), "w") as f:
        f.write(head + unit * count + tail)
fill("numbers.json", "[", "1,", "1]")
fill("objects.json", '{"rounds": [', '{"matches": [{}, 7]},', "{}]}")
fill("rows.csv", "date,time,title,home,away\n", "x\n")
fill("controls.txt", "", "\x01\n")
fill("specials.csv", "home,away,text\n", "a\n")
with open(os.path.join(folder, "over.txt"), "w") as f:
    f.write("\n" * (limit + 1))
PY
printf 'date,time,title,home,away\n2027-03-26,19:45,Friendly,Tavoria,Norway\n' >"$LIM/one.csv"

# limited KB ARGS...: the native tavdb with at most KB of memory; status in LIM_STATUS, standard
# error in LIM_ERR, peak resident memory in LIM_PEAK (KB).
limited() {
  local kb=$1
  shift
  (cd "$LIM" && ulimit -v "$kb" && /usr/bin/time -f %M -o "$LIM/peak" "$DIST/tavdb" "$@" \
    >/dev/null 2>"$LIM/err")
  LIM_STATUS=$?
  LIM_ERR=$(cat "$LIM/err")
  LIM_PEAK=$(tail -n1 "$LIM/peak")
}

if [ -x "$DIST/tavdb" ] && [ -x /usr/bin/time ]; then
  input_kb=$((8 << 10))
  for args in "numbers.json" "objects.json" "rows.csv" "one.csv --facts controls.txt" \
    "one.csv --specials specials.csv"; do
    file=${args##* }
    # shellcheck disable=SC2086 # the arguments, split at blanks
    limited 400000 build $args --number 18 -o out.sdf
    echo "# tavdb build $args: peak $LIM_PEAK KB for $input_kb KB"
    check_equal "tavdb under 400 MB, $file: exit status 1" 1 "$LIM_STATUS"
    check_equal "tavdb under 400 MB, $file: 100 diagnostics of it and a count of the rest" \
      "101 $file: error: more errors not shown" \
      "$(grep -c "^$file" <<<"$LIM_ERR") $(tail -n1 <<<"$LIM_ERR" | sed 's/ [0-9]* more/ more/')"
    check "tavdb under 400 MB, $file: peak memory under ten times the input" \
      test "${LIM_PEAK:-999999}" -lt $((10 * input_kb))
  done
  limited 400000 build one.csv --facts over.txt --number 18 -o out.sdf
  check_equal "tavdb: an input over 8 MiB is an error (exit status 1)" \
    "1 over.txt: error: larger than tavdb reads (8 MiB); nothing was written" \
    "$LIM_STATUS $LIM_ERR"
  limited 30000 build numbers.json --number 18 -o oom.sdf
  check_equal "tavdb with 30 MB of memory: out of memory, said so (exit status 2)" \
    "2 tavdb: out of memory: the computer gives tavdb too little for this command" \
    "$LIM_STATUS $LIM_ERR"
  check "tavdb out of memory: nothing is written" test ! -e "$LIM/oom.sdf"

  # Names as they stand, backslashes and all.
  cp "$LIM/one.csv" "$LIM/fix\\tures*?.csv"
  printf 'A fact\n' >"$LIM/f\\a|cts<>.txt"
  limited 400000 build 'fix\tures*?.csv' --facts 'f\a|cts<>.txt' --number 18 -o 'up\grade "18".sdf'
  check_equal "tavdb reads and writes names holding backslashes: exit status 0" 0 "$LIM_STATUS"
  check "tavdb: the database is written under its own name" test -s "$LIM/up\\grade \"18\".sdf"
  limited 400000 check 'up\grade "18".sdf' --date 2027-01-01
  check_equal "tavdb checks the database by that name" "0 " "$LIM_STATUS $LIM_ERR"
else
  fail "the native tavdb under ulimit -v" "build/dist/tavdb (the tools preset) or /usr/bin/time is missing"
fi
rm -rf "$LIM"
