# Developer tools: pictures of the windows and the start-up yardstick.
#
# tallyro_screenshots draws every window offscreen with the sample class and
# week open, saves them as PNGs and lists controls outside their window or on
# one another (scripts/screenshots runs it for `make screenshots` at several
# screen sizes; the layout test runs it with --check).
add_executable(tallyro_screenshots ${CMAKE_SOURCE_DIR}/tools/screenshots.cpp
  ${CMAKE_SOURCE_DIR}/tools/layoutcheck.cpp ${CMAKE_SOURCE_DIR}/tools/layoutcheck.h
  ${CMAKE_SOURCE_DIR}/resources/tallyro.qrc)
target_link_libraries(tallyro_screenshots PRIVATE tallyro_ui_app)
set_target_properties(tallyro_screenshots PROPERTIES AUTORCC ON CXX_STANDARD 20)

# tallyro_emptywindow is the yardstick of scripts/measure-startup: an empty Qt
# main window built with the program's compiler, flags and Qt.
add_executable(tallyro_emptywindow ${CMAKE_SOURCE_DIR}/tools/emptywindow.cpp)
target_link_libraries(tallyro_emptywindow PRIVATE Qt6::Widgets)
