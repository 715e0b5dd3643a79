#!/usr/bin/env bash
# The manual page keeps up with the command line: every subcommand, every
# kind of print and every option the program's own usage text names is in
# docs/tallyro.1, and the page formats without a groff warning.
#   manpage.sh TALLYRO_EXECUTABLE docs/tallyro.1
set -u
tallyro=$1
page=$2
failed=0
fail() { echo "FAIL $*"; failed=$((failed + 1)); }

# The page as text a reader searches, with groff's escaped hyphens plain.
text=$(sed 's/\\-/-/g' "$page")

# A subcommand without its file prints the forms of every subcommand.
usage=$("$tallyro" averages 2>&1)
print_usage=$("$tallyro" print --help 2>&1)
subs=$(sed -n 's/^ *\(usage:\)\? *tallyro \([a-z-]*\).*/\2/p' <<<"$usage")
kinds=$(sed -n 's/.*tallyro print \([a-z-]*\).*/\1/p' <<<"$print_usage")
[ "$(wc -w <<<"$subs")" -ge 2 ] || fail "no subcommands in the usage text: $usage"
[ "$(wc -w <<<"$kinds")" -ge 2 ] || fail "no print kinds in: $print_usage"

for sub in $subs; do
  grep -q "^\.B tallyro $sub\b" <<<"$text" || fail "subcommand \"$sub\" is not in the manual page"
done
for kind in $kinds; do
  grep -q "^\.B tallyro print $kind\b" <<<"$text" || fail "\"print $kind\" is not in the manual page"
done
# Each option in the usage texts has its own entry under OPTIONS.
for option in $(grep -o -- '--[a-z][a-z-]*' <<<"$usage$print_usage" | sort -u); do
  grep -Eq "^\.(B|BI|BR) $option( |$)" <<<"$text" ||
    fail "option $option has no entry in the manual page"
done

warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "groff warns: $warnings"

echo "manual page: $(wc -w <<<"$subs") subcommands, $(wc -w <<<"$kinds") print kinds checked; $failed failed"
[ "$failed" -eq 0 ]
