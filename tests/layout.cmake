# Tests of this subject (tallyro_core_test / tallyro_window_test / add_test).
# Every window laid out on a 1024x600, a 1366x768 and a 1920x1080 screen and
# on a 2560x1440 screen at 2x: no control outside its window or on another
# one, no caption cut short (the same run `make screenshots` pictures).
if(NOT TALLYRO_CORE_ONLY)
  add_test(NAME ui_layout_every_window
    COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/screenshots --check
      $<TARGET_FILE:tallyro_screenshots>)
  set_tests_properties(ui_layout_every_window PROPERTIES
    TIMEOUT ${TALLYRO_TEST_TIMEOUT}
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp")
endif()

# The main window on a desktop with a window manager (Xvfb and openbox): with
# its frame it fits the screen, and it opens again where it was left.
# Reported as skipped when the display or the window manager cannot start.
if(NOT TALLYRO_CORE_ONLY)
  add_test(NAME ui_layout_main_window_placement
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/ui/app/window_placement.sh
      $<TARGET_FILE:tallyro> ${PROJECT_SOURCE_DIR}/examples/ROOM5.grd)
  set_tests_properties(ui_layout_main_window_placement PROPERTIES
    TIMEOUT ${TALLYRO_TEST_TIMEOUT} SKIP_RETURN_CODE 77
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp")
endif()
