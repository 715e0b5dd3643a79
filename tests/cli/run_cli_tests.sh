#!/usr/bin/env bash
# End-to-end checks of "tallyro print": text pages against the kept pages in
# the test data folder, PDF files, and one clear line for every bad request.
# usage: run_cli_tests.sh TALLYRO-EXECUTABLE TEST-DATA-FOLDER
set -u
exe=$1
data=$2
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/xdg
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

pass() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); echo "FAIL: $*"; }

# expect_text NAME EXPECTED-FILE ARGS...: exit 0, stdout equal to the file.
expect_text() {
    local name=$1 expected=$2
    shift 2
    if "$exe" "$@" >"$work/out" 2>"$work/err" && cmp -s "$work/out" "$expected"; then
        pass
    else
        fail "$name"
        diff "$expected" "$work/out" | head -20
        cat "$work/err"
    fi
}

# expect_grep NAME PATTERN ARGS...: exit 0 and the pattern in stdout.
expect_grep() {
    local name=$1 pattern=$2
    shift 2
    if "$exe" "$@" >"$work/out" 2>"$work/err" && grep -qF -- "$pattern" "$work/out"; then
        pass
    else
        fail "$name"
        head -5 "$work/out" "$work/err"
    fi
}

# expect_pdf NAME OUT ARGS...: exit 0, nothing on stdout, a PDF file written.
expect_pdf() {
    local name=$1 out=$2
    shift 2
    if "$exe" "$@" >"$work/out" 2>"$work/err" && [ ! -s "$work/out" ] &&
        [ "$(head -c 5 "$out" 2>/dev/null)" = "%PDF-" ]; then
        pass
    else
        fail "$name"
        cat "$work/err"
    fi
}

# expect_refused NAME ARGS...: exit 1, nothing on stdout, one line on stderr.
expect_refused() {
    local name=$1
    shift
    "$exe" "$@" >"$work/out" 2>"$work/err"
    local status=$?
    local lines
    lines=$(wc -l <"$work/err")
    if [ $status -eq 1 ] && [ ! -s "$work/out" ] && [ "$lines" -eq 1 ]; then
        pass
    else
        fail "$name (status $status, $lines lines on stderr)"
        cat "$work/err"
    fi
}

grd=$data/reports-class.grd
pla=$data/reports-week.pla
card=$data/reports-card.json

expect_text "all information" "$data/reports-all-information.txt" \
    print grades "$grd" --list all --date 11/14/1997 --text
expect_text "week of plans" "$data/reports-week.txt" \
    print lessons "$pla" --week --date 09/15/1997 --text
expect_text "report card" "$data/reports-card.txt" \
    print report-card "$card" --text
expect_grep "averages heading" "Student Averages for reports-class as of 11-14-1997     (Page 1)" \
    print grades "$grd" --list averages --date 11/14/1997 --text
expect_grep "class name" "Student Averages for Room 5 as of" \
    print grades "$grd" --list sorted --class "Room 5" --text
expect_grep "rounded averages print as numbers" "Adams, Bo                      70" \
    print grades "$grd" --list averages --rounded --text
expect_grep "one student" "Baker, Ann                    GrandAverage = 79.11" \
    print grades "$grd" --list student=2 --text
expect_grep "current day" "Lesson Plan for Wednesday 09/17/1997" \
    print lessons "$pla" --day 3 --date 09/17/1997 --text
expect_grep "date override" "Date: 01/05/1998" \
    print report-card "$card" --date 1/5/1998 --text
expect_grep "help" "tallyro print report-card" print --help

expect_pdf "grades pdf" "$work/all.pdf" print grades "$grd" --list all --pdf "$work/all.pdf"
expect_pdf "lessons pdf" "$work/week.pdf" print lessons "$pla" --week --pdf "$work/week.pdf"
expect_pdf "card pdf" "$work/card.pdf" print report-card "$card" --pdf "$work/card.pdf"

# Without --date the week is this week, headed from its Monday; a date that
# is not a Monday is printed as given; a date that is no date is refused.
monday=$(date -d "-$(($(date +%u) - 1)) days" +%m/%d/%Y)
expect_grep "this week from its Monday" "Lesson Plan for Monday $monday" \
    print lessons "$pla" --week --text
expect_grep "a week from a Wednesday" "Lesson Plan for Wednesday 09/17/1997" \
    print lessons "$pla" --week --date 09/17/1997 --text
expect_refused "no such day" print lessons "$pla" --week --date 02/30/1997 --text
expect_grep "stats in the usage" "tallyro print stats FILE.grd" print --help
"$exe" print stats "$grd" --text >"$work/out" 2>"$work/err"
if grep -q "unknown kind" "$work/err"; then fail "print stats is a kind"; else pass; fi

expect_refused "nothing to print" print
expect_refused "unknown kind" print essays "$grd" --text
expect_refused "no output chosen" print grades "$grd" --list all
expect_refused "two outputs" print grades "$grd" --list all --text --pdf "$work/x.pdf"
expect_refused "unknown list" print grades "$grd" --list best --text
expect_refused "student out of the class" print grades "$grd" --list student=6 --text
expect_refused "bad date" print grades "$grd" --list all --date 13/45/1997 --text
expect_refused "missing grade file" print grades "$work/none.grd" --list all --text
expect_refused "missing lesson file" print lessons "$work/none.pla" --week --text
expect_refused "week and day" print lessons "$pla" --week --day 2 --text
expect_refused "day out of the week" print lessons "$pla" --day 6 --text
expect_refused "not a report card" print report-card "$grd" --text
expect_refused "unwritable pdf" print grades "$grd" --list all --pdf "$work/no/such/x.pdf"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
