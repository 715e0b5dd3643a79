# Tests of this subject (tallyro_core_test / tallyro_window_test / add_test).
# The package itself is built and checked by scripts/check-package at the end
# of `make test`; here only what can go stale between releases.
if(TALLYRO_CORE_ONLY)
  return()
endif()

# The manual page names every subcommand and option of the program.
add_test(NAME package_manpage COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/package/manpage.sh
  $<TARGET_FILE:tallyro> ${PROJECT_SOURCE_DIR}/docs/tallyro.1)
set_tests_properties(package_manpage PROPERTIES TIMEOUT 60
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp")

# The start-up leaves the help engine and the printers for their first use.
add_test(NAME package_startup COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/package/startup.sh
  $<TARGET_FILE:tallyro> ${PROJECT_SOURCE_DIR}/examples/ROOM5.grd)
set_tests_properties(package_startup PROPERTIES TIMEOUT 60
  ENVIRONMENT "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp")
