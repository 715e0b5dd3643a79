# Developer tools: pictures of the windows and the start-up yardstick.
#
# tallyro_screenshots draws the main window with the sample class open, the
# teacher-details form and the About box offscreen and saves them as PNGs
# (scripts/screenshots runs it for `make screenshots`).
add_executable(tallyro_screenshots ${CMAKE_SOURCE_DIR}/tools/screenshots.cpp
  ${CMAKE_SOURCE_DIR}/resources/tallyro.qrc)
target_link_libraries(tallyro_screenshots PRIVATE tallyro_ui_app)
set_target_properties(tallyro_screenshots PROPERTIES AUTORCC ON CXX_STANDARD 20)

# tallyro_emptywindow is the yardstick of scripts/measure-startup: an empty Qt
# main window built with the program's compiler, flags and Qt.
add_executable(tallyro_emptywindow ${CMAKE_SOURCE_DIR}/tools/emptywindow.cpp)
target_link_libraries(tallyro_emptywindow PRIVATE Qt6::Widgets)
