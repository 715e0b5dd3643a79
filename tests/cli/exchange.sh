#!/usr/bin/env bash
# End-to-end checks of `tallyro export`, `new-class` and `import-grades`:
# golden files, the workbook's contents, and that every refused command
# leaves the files as they were.
set -u
tallyro=$1
data=$2
source "$(dirname "$0")/check.sh"
same_file() { # name, expected file, actual file
  if cmp -s "$2" "$3"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf 'FAIL %s: %s and %s differ\n' "$1" "$2" "$3"
    diff <(cat -A "$2") <(cat -A "$3") | head -20
  fi
}
unset DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=none-such # a subcommand must not touch any display
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
class=$data/exchange-class.grd

# ---- export -----------------------------------------------------------------
"$tallyro" export "$class" --csv - >"$work/out.csv" 2>"$work/err"; status=$?
same_file "csv to standard output, decimal" "$data/exchange-class-decimal.csv" "$work/out.csv"
check "csv status" 0 "$status"
check "csv stderr" "" "$(cat "$work/err")"

"$tallyro" export "$class" --rounded --csv "$work/rounded.csv"; status=$?
same_file "csv file, rounded" "$data/exchange-class-rounded.csv" "$work/rounded.csv"
check "csv file status" 0 "$status"

err=$("$tallyro" export "$data/no-such-file.grd" --csv "$work/none.csv" 2>&1 >/dev/null); status=$?
check "missing class status" 1 "$status"
check "missing class message" "Unable to OPEN this file. " "${err:0:26}"
check "missing class writes nothing" "" "$(ls "$work" | grep none)"

"$tallyro" export "$class" --csv "$work/a.csv" --xlsx "$work/a.xlsx" 2>/dev/null; status=$?
check "csv and xlsx together refused" 1 "$status"
"$tallyro" export "$class" --xlsx - >/dev/null 2>&1; status=$?
check "workbook to standard output refused" 1 "$status"
cp "$class" "$work/self.grd"
"$tallyro" export "$work/self.grd" --csv "$work/./self.grd" 2>/dev/null; status=$?
check "export over its own class refused" 1 "$status"
same_file "class file left as it was" "$class" "$work/self.grd"
mkdir "$work/folder.csv"
err=$("$tallyro" export "$class" --csv "$work/folder.csv" 2>&1); status=$?
check "unwritable target status" 1 "$status"
check "unwritable target message" "Unable to SAVE this file. " "${err:0:26}"

"$tallyro" export "$class" --xlsx "$work/class.xlsx"; status=$?
check "xlsx status" 0 "$status"
mkdir "$work/tmp"
err=$(TMPDIR="$work/tmp" "$tallyro" export "$class" --xlsx "$work/gone/class.xlsx" 2>&1); status=$?
check "xlsx to a missing folder status" 1 "$status"
check "xlsx to a missing folder message" "Unable to SAVE this file. " "${err:0:26}"
check "xlsx leaves no temporary file" "" "$(ls -A "$work/tmp")"
# The sheets read back cell by cell (a member missing or damaged fails too): the same rows as the CSV, numbers as
# numbers, x and d as text, the header bold and frozen; then the weights.
if command -v python3 >/dev/null; then
  result=$(python3 - "$work/class.xlsx" "$data/exchange-class-decimal.csv" <<'PY'
import csv, re, sys, zipfile
import xml.etree.ElementTree as ET
ns = {"m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main"}
book = zipfile.ZipFile(sys.argv[1])
problems = []
if book.testzip() is not None:
    problems.append("a damaged member")
names = [s.get("name") for s in ET.fromstring(book.read("xl/workbook.xml")).iter("{%s}sheet" % ns["m"])]
if names != ["Grades", "Weights"]:
    problems.append("sheets %r" % names)
shared = ["".join(t.text or "" for t in si.iter("{%s}t" % ns["m"]))
          for si in ET.fromstring(book.read("xl/sharedStrings.xml")).findall("m:si", ns)]
styles = ET.fromstring(book.read("xl/styles.xml"))
fonts = styles.find("m:fonts", ns).findall("m:font", ns)
xfs = styles.find("m:cellXfs", ns).findall("m:xf", ns)
def bold(style):
    font = fonts[int(xfs[int(style)].get("fontId"))]
    return font.find("m:b", ns) is not None
def column(ref):
    n = 0
    for ch in re.match(r"[A-Z]+", ref).group(0):
        n = n * 26 + ord(ch) - 64
    return n - 1
def rows(member):
    sheet = ET.fromstring(book.read(member))
    pane = sheet.find(".//m:pane", ns)
    if pane is None or pane.get("ySplit") != "1" or pane.get("state") != "frozen":
        problems.append(member + ": header not frozen")
    table = []
    for r, row in enumerate(sheet.find("m:sheetData", ns).findall("m:row", ns)):
        cells = {}
        for c in row.findall("m:c", ns):
            v = c.find("m:v", ns)
            kind = c.get("t", "n")
            value = shared[int(v.text)] if kind == "s" else float(v.text) if kind == "n" else v.text
            if r == 0 and not bold(c.get("s", "0")):
                problems.append(member + ": header cell %s not bold" % c.get("r"))
            cells[column(c.get("r"))] = (kind, value)
        table.append([cells.get(i, ("", "")) for i in range(max(cells) + 1)] if cells else [])
    return table
def expected(text):
    if text == "":
        return ("", "")
    try:
        return ("n", float(text))
    except ValueError:
        return ("s", text)
golden = [[expected(f) for f in rec] for rec in csv.reader(open(sys.argv[2], encoding="utf-8", newline=""))]
got = rows("xl/worksheets/sheet1.xml")
# A row's trailing empty cells are simply not there.
for want, have in zip(golden, got):
    while want and want[-1] == ("", ""):
        want.pop()
if got != golden:
    problems.append("grades %r\n  instead of %r" % (got, golden))
weights = rows("xl/worksheets/sheet2.xml")
want = [[("s", "Category"), ("s", "Weight"), ("s", "Grades recorded")]]
for name, weight, count in [("Homework", 30, 3), ("Quiz", 20, 2), ("Weekly Test", None, 0),
                            ("3 Week Test", 0, 0), ("6 Week Test", None, 0), ("9 Week Test", None, 0),
                            ("Midterm Exam", None, 0), ("Final Exam", 50, 1), ("Essay", None, 0),
                            ("Extra Credit", None, 0), ("Special Project", None, 0)]:
    want.append([("s", name), ("n", float(weight)) if weight is not None else ("", ""), ("n", float(count))])
if weights != want:
    problems.append("weights %r" % weights)
print("\n".join(problems) if problems else "ok")
PY
)
  check "xlsx contents" "ok" "$result"
else
  echo "xlsx contents: skipped (no python3)"
fi
# LibreOffice reads the workbook without a repair prompt and gives back the rows.
if ! command -v soffice >/dev/null; then echo "LibreOffice read-back: skipped (soffice not installed)"; else
  profile="$work/lo-profile"
  soffice -env:UserInstallation="file://$profile" --headless \
    --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76' --outdir "$work/lo" "$work/class.xlsx" >/dev/null 2>&1
  result=$(python3 - "$work/lo/class.csv" "$data/exchange-class-decimal.csv" <<'PY'
import csv, sys
def norm(path):
    def cell(t):
        try:
            return float(t)
        except ValueError:
            return t
    return [[cell(f) for f in r] for r in csv.reader(open(path, encoding="utf-8", newline=""))]
print("ok" if norm(sys.argv[1]) == norm(sys.argv[2]) else "differs")
PY
)
  check "LibreOffice read-back" "ok" "$result"
fi

# ---- new-class --------------------------------------------------------------
out=$("$tallyro" new-class "$work/new.grd" --names "$data/exchange-names.csv"); status=$?
check "new-class status" 0 "$status"
same_file "new-class sorted roster" "$data/exchange-newclass.grd" "$work/new.grd"
check "new-class output" "$work/new.grd: a new class of 6 students." "$out"

"$tallyro" new-class "$work/unsorted.grd" --names "$data/exchange-names.csv" --unsorted >/dev/null; status=$?
check "new-class unsorted status" 0 "$status"
check "new-class unsorted order" '"Lee, Ann"|"zimmer karl"|"Bud Red Smith"|"Émile Durand"|"adams beth"|"Eve Stone"' \
  "$(tail -n 6 "$work/unsorted.grd" | tr -d '\r' | paste -sd '|')"

for i in $(seq 1 46); do echo "Student $i"; done >"$work/46.txt"
err=$("$tallyro" new-class "$work/big.grd" --names "$work/46.txt" 2>&1); status=$?
check "46 names status" 1 "$status"
check "46 names message" "tallyro new-class: $work/46.txt: The file holds 46 names; a class holds at most 45 students. Nothing was written." "$err"
check "46 names writes nothing" "no" "$([ -e "$work/big.grd" ] && echo yes || echo no)"
printf 'Student\r\n\r\n  \r\n' >"$work/header-only.csv"
"$tallyro" new-class "$work/empty.grd" --names "$work/header-only.csv" 2>/dev/null; status=$?
check "no names status" 1 "$status"
check "no names writes nothing" "no" "$([ -e "$work/empty.grd" ] && echo yes || echo no)"

cp "$class" "$work/existing.grd"
err=$("$tallyro" new-class "$work/existing.grd" --names "$data/exchange-names.csv" 2>&1); status=$?
check "existing class status" 1 "$status"
check "existing class message" "tallyro new-class: $work/existing.grd already exists; nothing was written." "$err"
same_file "existing class left as it was" "$class" "$work/existing.grd"

printf 'Ann\r\n"Bob\r\n' >"$work/open-quote.csv"
err=$("$tallyro" new-class "$work/quote.grd" --names "$work/open-quote.csv" 2>&1); status=$?
check "open quote status" 1 "$status"
check "open quote message" "Unable to OPEN this file. Line 2: a quoted field is never closed." "$err"
check "open quote writes nothing" "no" "$([ -e "$work/quote.grd" ] && echo yes || echo no)"

# ---- import-grades ----------------------------------------------------------
cp "$class" "$work/import.grd"
out=$("$tallyro" import-grades "$work/import.grd" --category quiz --from "$data/exchange-scores.csv"); status=$?
check "import status" 0 "$status"
same_file "import adds the quiz column" "$data/exchange-imported.grd" "$work/import.grd"
check "import output" "$work/import.grd: import of Quiz 3 from exchange-scores.csv, 3 of 4 students in the file, 1 excused (x)." "$out"

printf 'Name,Score\r\n"Adams, Ann",88\r\n' >"$work/one.csv"
refused() { # name, expected stderr, arguments...
  local name=$1 expected=$2
  shift 2
  cp "$class" "$work/refused.grd"
  local err status
  err=$("$tallyro" import-grades "$work/refused.grd" "$@" 2>&1 >/dev/null); status=$?
  check "$name status" 1 "$status"
  check "$name message" "$expected" "$err"
  same_file "$name leaves the class as it was" "$class" "$work/refused.grd"
}
printf 'Name,Score\r\nZed Zulu,80\r\n"Adams, Ann",90\r\nAmy,70\r\n' >"$work/strangers.csv"
refused "unmatched names" "These names in the file match no student of the class:
Zed Zulu
Amy
tallyro import-grades: nothing was written." --category Quiz --from "$work/strangers.csv"
printf 'Name,Score\r\n"Adams, Ann",90\r\n\r\n"\xc3\x89mile Zola",A+\r\n' >"$work/bad-score.csv"
refused "bad score" 'Line 4: the score "A+" of Émile Zola is not a number, "x" or "d".
tallyro import-grades: nothing was written.' --category Quiz --from "$work/bad-score.csv"
refused "bad category" 'tallyro import-grades: "Quizzes" is not a category; give a category name or a number from 1 to 11.' \
  --category Quizzes --from "$work/one.csv"
refused "column 1" 'tallyro import-grades: the score column "1" is not a whole number of 2 or more (column 1 holds the names).' \
  --category Quiz --from "$work/one.csv" --column 1
# The description after the prefix is the system's own.
cp "$class" "$work/refused.grd"
err=$("$tallyro" import-grades "$work/refused.grd" --category Quiz --from "$work/no-such.csv" 2>&1); status=$?
check "missing scores file status" 1 "$status"
check "missing scores file message" "Unable to OPEN this file. " "${err:0:26}"
same_file "missing scores file leaves the class as it was" "$class" "$work/refused.grd"

# A category that already holds 45 grades.
{
  printf '"30",45\r\n'
  for i in $(seq 2 11); do printf ',\r\n'; done
  printf '1\r\n"Ann"\r\n'
  for i in $(seq 1 45); do printf '"90"\r\n'; done
} >"$work/full45.grd"
cp "$work/full45.grd" "$work/full45-before.grd"
printf 'Name,Score\r\nAnn,80\r\n' >"$work/ann.csv"
err=$("$tallyro" import-grades "$work/full45.grd" --category Homework --from "$work/ann.csv" 2>&1); status=$?
check "full category status" 1 "$status"
check "full category message" "Homework already holds 45 grades.
tallyro import-grades: nothing was written." "$err"
same_file "full category leaves the class as it was" "$work/full45-before.grd" "$work/full45.grd"

finish exchange
