#!/usr/bin/env bash
# Runs orvanta-reduce with a table of command lines and checks each one's exit
# status, messages and files. The reference reducer is the engine as the
# window program calls it.
#   orvanta_reduce_test.sh ORVANTA_REDUCE REFERENCE_REDUCE EXAMPLE_FILE VERSION
# With RUNNER set (Wine, say), the program runs under it; its line ends may
# then be CR LF.
set -u
program=$(realpath "$1") reference=$(realpath "$2") example=$(realpath "$3") version=$4
failures=0
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() { echo "FAIL ($name): $*"; failures=$((failures + 1)); }

# run NAME STATUS STDOUT_PATTERN STDERR_PATTERN -- ARGUMENTS...
# Runs in a fresh folder that holds plans.txt, after the command in $setup.
# The patterns are extended regular expressions; an empty one asks for no output.
run() {
    name=$1 status=$2 out_pattern=$3 err_pattern=$4
    shift 5
    rm -rf "$scratch/work" && mkdir "$scratch/work" && cp "$example" "$scratch/work/plans.txt"
    (cd "$scratch/work" && eval "${setup:-}" && ${RUNNER:-} "$program" "$@" >"$scratch/out.raw" 2>"$scratch/err.raw")
    local got=$?
    tr -d '\r' <"$scratch/out.raw" >"$scratch/out"
    tr -d '\r' <"$scratch/err.raw" >"$scratch/err"
    setup=
    [ "$got" -eq "$status" ] || fail "exit status $got, wanted $status"
    if [ -z "$out_pattern" ]; then [ ! -s "$scratch/out" ] || fail "unexpected output: $(cat "$scratch/out")"
    else grep -qE -- "$out_pattern" "$scratch/out" || fail "output '$(cat "$scratch/out")' lacks /$out_pattern/"; fi
    if [ -z "$err_pattern" ]; then [ ! -s "$scratch/err" ] || fail "unexpected error: $(cat "$scratch/err")"
    else grep -qE -- "$err_pattern" "$scratch/err" || fail "errors '$(cat "$scratch/err")' lack /$err_pattern/"; fi
}

# The output file holds what the window program would write with the settings.
written_as_by_the_program() {
    local output=$1 percentage=$2 airport=$3 type=$4
    mkdir -p "$scratch/reference" && cp "$example" "$scratch/reference/plans.txt"
    local expected
    expected=$("$reference" "$scratch/reference/plans.txt" "$percentage" "$airport" "$type")
    cmp -s "$scratch/work/$output" "$expected" || fail "$output differs from the window program's result"
    rm -rf "$scratch/reference"
}

only_files() {
    local listed
    listed=$(cd "$scratch/work" && ls | tr '\n' ' ')
    [ "$listed" = "$* " ] || fail "files are '$listed', wanted '$* '"
}

lines=$(grep -c '' "$example")

run "defaults of the dialog" 0 "^plans.txt -> plans_30%_.txt: $lines lines read, [0-9]+ kept$" "" -- plans.txt
written_as_by_the_program "plans_30%_.txt" 30 "#" "#"

run "settings in any case" 0 "^plans.txt -> plans_50%_EDDF_IFR.txt: $lines lines read, [0-9]+ kept$" "" \
    -- -p 50 -a eddf -t ifr plans.txt
written_as_by_the_program "plans_50%_EDDF_IFR.txt" 50 eddf IFR

run "long options" 0 "plans_5%_VFR.txt" "" -- --percentage 5 --airport '#' --type VFR plans.txt
written_as_by_the_program "plans_5%_VFR.txt" 5 "#" VFR

setup="mv plans.txt Flüge.txt"
run "a file name that is not ASCII" 0 "^Flüge.txt -> Flüge_30%_.txt: $lines lines read" "" -- Flüge.txt
only_files Flüge.txt Flüge_30%_.txt

run "airport of four characters that are not ASCII" 0 "plans_30%_ÄÖÜß.txt|plans_30%_äöüß.txt" "" -- -a äöüß plans.txt

run "a failing file does not stop the others" 1 "^plans.txt -> plans_30%_.txt" "^orvanta-reduce: missing.txt: cannot be read$" \
    -- missing.txt plans.txt
only_files plans.txt plans_30%_.txt

setup="ln plans.txt plans_30%_.txt"
run "the result would be the input" 1 "" "^orvanta-reduce: plans.txt: the result would be the input itself$" -- plans.txt
setup="mkdir plans_30%_.txt"
run "the result cannot be written" 1 "" "^orvanta-reduce: plans.txt: cannot write the result$" -- plans.txt
run "a name that cannot hold the airport" 1 "" "^orvanta-reduce: plans.txt: .*character" -- -a E/DF plans.txt
only_files plans.txt

for usage in "-p 1000:--percentage" "-a KJFKX:--airport" "-t XYZ:--type" "--colour red:--colour"; do
    run "usage error ${usage%%:*}" 2 "" "${usage##*:}" -- ${usage%%:*} plans.txt
    only_files plans.txt
done
run "no file" 2 "" "FILE" --
run "help" 0 "^Usage: orvanta-reduce \[OPTIONS\] FILE" "" -- --help
run "version" 0 "^orvanta-reduce $version$" "" -- --version

echo "orvanta-reduce: $failures failed"
[ "$failures" -eq 0 ]
