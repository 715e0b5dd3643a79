# Class statistics, what a student needs, the statistics window and the
# stats, needed and print stats subcommands.
tallyro_core_test(core_stats_classstats_test core/stats/classstats_test.cpp)
tallyro_core_test(core_stats_needed_test core/stats/needed_test.cpp)
tallyro_core_test(core_stats_statssheet_test core/stats/statssheet_test.cpp)

if(NOT TALLYRO_CORE_ONLY)
  tallyro_window_test(ui_stats_statisticswindow_test ui/stats/statisticswindow_test.cpp
    tallyro_ui_stats)

  add_test(NAME cli_stats COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/cli/stats.sh
    $<TARGET_FILE:tallyro> ${TALLYRO_TEST_DATA})
  set_tests_properties(cli_stats PROPERTIES TIMEOUT ${TALLYRO_TEST_TIMEOUT}
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp")
endif()
