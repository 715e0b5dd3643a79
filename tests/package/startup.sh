#!/usr/bin/env bash
# The start-up does only what the first picture needs: with a class open and
# the window up, neither the help engine's SQLite driver, the printer support
# (which asks CUPS for its printers), the charts (Qt Charts, in the module
# tallyro-charts.so) nor the Excel writer (libxlsxwriter, in tallyro-xlsx.so)
# has been loaded. Each is loaded on the first help request, print,
# statistics or workbook.
#   startup.sh TALLYRO_EXECUTABLE CLASS_FILE.grd
set -u
tallyro=$1
class=$2
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" && chmod 700 "$XDG_RUNTIME_DIR"
# Stored teacher's details: no start-up form.
printf '[User]\nschool=Lincoln\nteacher=Rivera\ngrade%%20level=5\n' >"$XDG_CONFIG_HOME/Tlyro.conf"
QT_QPA_PLATFORM=offscreen "$tallyro" "$class" >"$work/out" 2>&1 &
pid=$!
failed=0
# Long enough for the window, the class and the first paint, sanitizers on.
for _ in $(seq 12); do
  sleep 0.25
  kill -0 $pid 2>/dev/null || break
done
if ! kill -0 $pid 2>/dev/null; then
  echo "FAIL tallyro ended during its start-up:"
  cat "$work/out"
  failed=1
else
  maps=$(cat /proc/$pid/maps)
  for library in libqsqlite libcupsprintersupport libQt6Charts tallyro-charts libxlsxwriter tallyro-xlsx; do
    if grep -q "$library" <<<"$maps"; then
      echo "FAIL $library is loaded before the first help request, print, statistics or workbook"
      failed=1
    fi
  done
  grep -q libQt6Widgets <<<"$maps" || { echo "FAIL cannot read the program's libraries"; failed=1; }
  kill $pid
  wait $pid 2>/dev/null
fi
rm -rf "$work"
[ "$failed" -eq 0 ] && echo "start-up loads neither the help engine, the printers, the charts nor the Excel writer"
exit $failed
