# Tests of this subject (tallyro_core_test / tallyro_window_test / add_test).
# Keyboard and screen-reader use of every window: Qt's accessibility
# interfaces offscreen, and the real program read through the accessibility
# bus (AT-SPI) the way a screen reader reads it.
if(NOT TALLYRO_CORE_ONLY)
  tallyro_window_test(ui_accessibility_windowwalk_test
    ui/accessibility/windowwalk_test.cpp tallyro_ui_app)
  tallyro_window_test(ui_accessibility_keyboardscenarios_test
    ui/accessibility/keyboardscenarios_test.cpp tallyro_ui_app)

  # Needs Xvfb, openbox, dbus-run-session and python3-pyatspi; without them
  # (or when the bus or the display cannot start) it is reported as skipped.
  find_program(TALLYRO_ATSPI_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH)
  if(NOT TALLYRO_ATSPI_PYTHON)
    set(TALLYRO_ATSPI_PYTHON python3)
  endif()
  add_test(NAME ui_accessibility_atspi
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/ui/accessibility/run_atspi.sh
      $<TARGET_FILE:tallyro> ${TALLYRO_ATSPI_PYTHON}
      ${CMAKE_CURRENT_SOURCE_DIR}/ui/accessibility/atspi_walk.py
      ${PROJECT_SOURCE_DIR}/examples/ROOM5.grd
      $<TARGET_FILE:ui_accessibility_windowwalk_test>)
  set_tests_properties(ui_accessibility_atspi PROPERTIES
    TIMEOUT ${TALLYRO_TEST_TIMEOUT} SKIP_RETURN_CODE 77
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp")
endif()
