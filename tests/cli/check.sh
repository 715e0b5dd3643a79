# The counting checks the command-line test scripts share; sourced, not run.
# check NAME EXPECTED ACTUAL: counts a pass, or prints both sides of a fault.
# finish NAME: the closing "N passed, M failed" line and the exit status.
passed=0
failed=0
check() { # name, expected, actual
  if [ "$2" == "$3" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf 'FAIL %s\n--- expected\n%s\n--- actual\n%s\n' "$1" "$2" "$3"
  fi
}
finish() {
  echo "$1: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}
