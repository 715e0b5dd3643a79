#!/usr/bin/env bash
# End-to-end checks of `tallyro stats`, `tallyro needed` and `tallyro print
# stats`: the numbers against the hand-computed class, the failing limit from
# the settings store, exit status and messages, and that none needs a display.
# usage: stats.sh TALLYRO-EXECUTABLE TEST-DATA-FOLDER
set -u
tallyro=$1
data=$2
source "$(dirname "$0")/check.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tab=$'\t'
class=$data/stats-class.grd
# A settings store of its own, and no display at all.
export XDG_CONFIG_HOME=$work/config
mkdir -p "$XDG_CONFIG_HOME"
unset DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=none-such

out=$("$tallyro" stats "$class" 2>"$work/err"); status=$?
check "decimal table" "$(cat "$data/stats-class-decimal.tsv")" "$out"
check "decimal status" 0 "$status"
check "decimal stderr" "" "$(cat "$work/err")"
check "rounded table" "$(cat "$data/stats-class-rounded.tsv")" "$("$tallyro" stats "$class" --rounded)"

# The limit the grade book keeps, as Qt writes it and as typed by hand.
printf '[User]\nfail%%20limit=85\n' >"$XDG_CONFIG_HOME/Tlyro.conf"
check "stored limit" "Grand average${tab}3${tab}64.98${tab}80.10${tab}23.11${tab}32.33${tab}82.50${tab}3" \
  "$("$tallyro" stats "$class" | tail -1)"
check "given limit wins" "2" "$("$tallyro" stats "$class" --fail-limit 81 | tail -1 | cut -f8)"
check "stored target" "needed 194" "$("$tallyro" needed "$class" --student 1 --category 2 --target 90)"
check "stored limit is the target" "needed 112.5" "$("$tallyro" needed "$class" --student 3 --category "final exam")"
printf '[User]\nfail limit=0\n' >"$XDG_CONFIG_HOME/Tlyro.conf"
check "0 is the default 70" "1" "$("$tallyro" stats "$class" | tail -1 | cut -f8)"
rm "$XDG_CONFIG_HOME/Tlyro.conf"

check "needed above 100" "needed 301.12" "$("$tallyro" needed "$class" --student 2 --category Quiz)"
check "not reachable" "not reachable" "$("$tallyro" needed "$class" --student 2 --category Essay)"

out=$("$tallyro" needed "$class" --student 4 --category 1 2>&1 >/dev/null); status=$?
check "student outside status" 1 "$status"
check "student outside message" "tallyro needed: the class has 3 students; --student counts them from 1" "$out"
out=$("$tallyro" needed "$class" --student 1 --category Quizzes 2>&1 >/dev/null); status=$?
check "unknown category status" 1 "$status"
check "unknown category message" 'tallyro needed: "Quizzes" is not a category; give its name (Quiz) or number (1 to 11)' \
  "$(echo "$out" | head -1)"
"$tallyro" needed "$class" --category 1 >/dev/null 2>&1
check "no student status" 1 "$?"
out=$("$tallyro" stats "$class" --fail-limit seventy 2>&1 >/dev/null); status=$?
check "bad limit" '1 tallyro stats: --fail-limit needs a number, not "seventy"' "$status $(echo "$out" | head -1)"

out=$("$tallyro" stats "$data/no-such-file.grd" 2>&1 >/dev/null); status=$?
check "missing file status" 1 "$status"
check "missing file message" "Unable to OPEN this file. " "${out:0:26}"
out=$("$tallyro" stats "$data/averages-badgrade.grd" 2>&1 >/dev/null); status=$?
check "bad grade status" 1 "$status"
check "bad grade message" 'The grade "A+" of Dee in Homework, grade 1, is not a number, "x" or "d".' "$out"

# The printed sheet, through `tallyro print`.
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=$work/xdg
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
check "sheet text" "$(cat "$data/stats-sheet.txt")" \
  "$("$tallyro" print stats "$class" --fail-limit 70 --date 03/15/2024 --text)"
check "sheet in Rounded mode" "Averages: Rounded              Failing below: 81" \
  "$("$tallyro" print stats "$class" --rounded --fail-limit 81 --text | grep Averages)"
"$tallyro" print stats "$class" --pdf "$work/stats.pdf" >"$work/out" 2>&1
check "sheet pdf" "%PDF-" "$(head -c 5 "$work/stats.pdf" 2>/dev/null)"
check "sheet pdf prints nothing" "" "$(cat "$work/out")"
out=$("$tallyro" print stats "$class" --pdf "$work/no/such/x.pdf" 2>&1 >/dev/null); status=$?
check "unwritable pdf" "1 Unable to PRINT this file. " "$status ${out:0:27}"
out=$("$tallyro" print stats "$class" 2>&1 >/dev/null); status=$?
check "no output chosen" "1 tallyro print stats: choose one of --text and --pdf FILE" \
  "$status $(echo "$out" | head -1)"

finish stats
