# Tests of this subject (tallyro_core_test / tallyro_window_test / add_test).
tallyro_core_test(core_exchange_csv_test core/exchange/csv_test.cpp)
tallyro_core_test(core_exchange_export_test core/exchange/export_test.cpp)
tallyro_core_test(core_exchange_gradeimport_test core/exchange/gradeimport_test.cpp)
tallyro_core_test(core_exchange_namelist_test core/exchange/namelist_test.cpp)

if(NOT TALLYRO_CORE_ONLY)
  tallyro_window_test(ui_exchange_exchangewindows_test ui/exchange/exchangewindows_test.cpp
    tallyro_ui_exchange)
  # Its workbooks are written by the Excel module beside it.
  add_dependencies(ui_exchange_exchangewindows_test tallyro_xlsx_module)

  # The command line end to end: golden CSV files, the workbook's contents
  # (and LibreOffice's reading of it where installed), new-class and
  # import-grades with every error leaving the files as they were.
  add_test(NAME cli_exchange COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/cli/exchange.sh
    $<TARGET_FILE:tallyro> ${TALLYRO_TEST_DATA})
  set_tests_properties(cli_exchange PROPERTIES TIMEOUT ${TALLYRO_TEST_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp")
endif()
