#!/usr/bin/env bash
# End-to-end checks of `tallyro averages`: output, exit status and that it
# needs no display at all.
set -u
tallyro=$1
data=$2
source "$(dirname "$0")/check.sh"
tab=$'\t'
unset DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=none-such # a subcommand must not touch any display

out=$("$tallyro" averages "$data/averages-class.grd" 2>/tmp/tallyro-cli-err.$$); status=$?
check "decimal output" "Adams, Ann${tab}89.5${tab}90${tab}89${tab}0${tab}0${tab}0${tab}0${tab}0${tab}0${tab}0${tab}0${tab}0
Baker Bob${tab}74.75${tab}69.5${tab}80${tab}0${tab}0${tab}0${tab}0${tab}0${tab}0${tab}0${tab}0${tab}0
Cruz Carla${tab}94.5${tab}100${tab}89${tab}0${tab}0${tab}0${tab}0${tab}0${tab}0${tab}0${tab}0${tab}0" "$out"
check "decimal status" 0 "$status"
check "decimal stderr" "" "$(cat /tmp/tallyro-cli-err.$$)"

out=$("$tallyro" averages "$data/averages-class.grd" --rounded | cut -f1,2)
check "rounded output" "Adams, Ann${tab}90
Baker Bob${tab}75
Cruz Carla${tab}95" "$out"

out=$("$tallyro" averages "$data/no-such-file.grd" 2>&1 >/dev/null); status=$?
check "missing file status" 1 "$status"
check "missing file message" "Unable to OPEN this file. " "${out:0:26}"

out=$("$tallyro" averages "$data/averages-badgrade.grd" 2>&1 >/dev/null); status=$?
check "bad grade status" 1 "$status"
check "bad grade message" 'The grade "A+" of Dee in Homework, grade 1, is not a number, "x" or "d".' "$out"

"$tallyro" averages >/dev/null 2>&1; status=$?
check "no file status" 1 "$status"

rm -f /tmp/tallyro-cli-err.$$
finish averages
