#!/usr/bin/env bash
# Prints a report card and a week of lesson plans through the real printer
# path (Qt's CUPS support) into a private CUPS daemon whose default queue
# writes PDF files, then checks the files and their page counts.
# usage: cups_print.sh TALLYRO-EXECUTABLE TEST-DATA-FOLDER
# Skips (exit 0, one line) where no CUPS daemon can be started.
set -u
build=$(cd "$(dirname "$1")" && pwd)
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
printer_test=$build/ui_reports_cupsprint_test
if [ ! -x "$printer_test" ]; then
    echo "FAIL: $printer_test is not built"
    exit 1
fi
for tool in pdfinfo lpstat; do
    if ! command -v $tool >/dev/null 2>&1; then
        echo "cups_print: $tool is not installed; skipped"
        exit 0
    fi
done
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work/xdg
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
pdf_dir=$HOME/PDF
mkdir -p "$pdf_dir"
ls "$pdf_dir" >"$work/before" 2>/dev/null

# Runs while the daemon lives: print, then wait (up to 20 s) until cups-pdf
# has written both jobs.
inside() {
    "$printer_test" || { echo "FAIL: printing through the default printer"; return 1; }
    for _ in $(seq 100); do
        ls "$pdf_dir" | sort | comm -13 <(sort "$work/before") - >"$work/new"
        if grep -q '^tallyro-card' "$work/new" && grep -q '^tallyro-week' "$work/new" &&
            [ -z "$(lpstat -o 2>/dev/null)" ]; then
            return 0
        fi
        sleep 0.2
    done
    echo "FAIL: no PDF from the printer queue within 20 s"
    lpstat -o 2>&1 | head -5
    return 1
}
export -f inside
export printer_test work pdf_dir
"$source_dir/scripts/with-private-cups" bash -c inside >"$work/log" 2>&1
status=$?
if [ $status -eq 77 ]; then
    echo "cups_print: skipped, no private CUPS daemon here: $(head -1 "$work/log")"
    exit 0
fi
if [ $status -ne 0 ]; then
    cat "$work/log"
    exit 1
fi

failed=0
check_pages() { # prefix, expected pages
    local file
    file=$(grep "^$1" "$work/new" | head -1)
    local pages
    pages=$(pdfinfo "$pdf_dir/$file" 2>/dev/null | awk '/^Pages:/ {print $2}')
    if [ "$pages" = "$2" ]; then
        echo "ok: $file has $pages page(s)"
    else
        echo "FAIL: $file has ${pages:-no} pages, expected $2"
        failed=1
    fi
}
check_pages tallyro-card 1
check_pages tallyro-week 5
# The files are this run's own; the teacher's folder keeps nothing of it.
while read -r file; do
    case $file in tallyro-card* | tallyro-week*) rm -f "$pdf_dir/$file" ;; esac
done <"$work/new"
[ $failed -eq 0 ]
