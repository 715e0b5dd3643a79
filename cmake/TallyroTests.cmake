# Each tests/<folder>/*_test.cpp is one test executable. A test that includes
# <QTest> is a Qt Test with its own main and runs on the offscreen platform;
# any other test is a GoogleTest of the core.
find_package(GTest REQUIRED)

set(TALLYRO_TEST_DATA ${CMAKE_SOURCE_DIR}/tests/data)
set(TALLYRO_TEST_TIMEOUT 120)

file(GLOB_RECURSE TALLYRO_TEST_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*_test.cpp)
file(GLOB TALLYRO_TEST_SUPPORT CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
if(NOT TALLYRO_CORE_ONLY)
  add_library(tallyro_test_support STATIC ${TALLYRO_TEST_SUPPORT})
  target_include_directories(tallyro_test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(tallyro_test_support PUBLIC tallyro_platform_ui Qt6::Test)
endif()

foreach(test_file ${TALLYRO_TEST_FILES})
  get_filename_component(name ${test_file} NAME_WE)
  file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR}/tests ${test_file})
  get_filename_component(folder ${rel} DIRECTORY)
  set(target ${folder}_${name})
  file(STRINGS ${test_file} is_qt REGEX "^#include <QTest>")
  if(is_qt)
    if(TALLYRO_CORE_ONLY)
      continue()
    endif()
    add_executable(${target} ${test_file})
    target_link_libraries(${target} PRIVATE tallyro_${folder}_ui tallyro_test_support Qt6::Test)
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  else()
    add_executable(${target} ${test_file})
    target_link_libraries(${target} PRIVATE tallyro_core GTest::gtest GTest::gtest_main GTest::gmock)
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  endif()
  target_compile_definitions(${target} PRIVATE
    TALLYRO_TEST_DATA="${TALLYRO_TEST_DATA}"
    TALLYRO_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  add_test(NAME ${target} COMMAND ${target})
  set_tests_properties(${target} PROPERTIES
    TIMEOUT ${TALLYRO_TEST_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TALLYRO_TEST_DATA=${TALLYRO_TEST_DATA};LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp")
endforeach()

# The command line is tested end to end through the real executable: every
# tests/cli/*.sh script gets the executable and the test data folder.
if(NOT TALLYRO_CORE_ONLY)
  file(GLOB TALLYRO_CLI_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/cli/*.sh)
  foreach(script ${TALLYRO_CLI_TESTS})
    get_filename_component(name ${script} NAME_WE)
    add_test(NAME cli_${name} COMMAND bash ${script} $<TARGET_FILE:tallyro> ${TALLYRO_TEST_DATA})
    set_tests_properties(cli_${name} PROPERTIES TIMEOUT ${TALLYRO_TEST_TIMEOUT}
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp")
  endforeach()
endif()
