# Developer tools and desktop integration.
#
# tallyro_screenshots draws the main window with the sample class open, the
# teacher-details form and the About box offscreen and saves them as PNGs
# (scripts/screenshots runs it for `make screenshots`).
add_executable(tallyro_screenshots ${CMAKE_SOURCE_DIR}/tools/screenshots.cpp
  ${CMAKE_SOURCE_DIR}/resources/tallyro.qrc)
target_link_libraries(tallyro_screenshots PRIVATE tallyro_ui_app)
set_target_properties(tallyro_screenshots PROPERTIES AUTORCC ON CXX_STANDARD 20)

# The desktop entry, the icon and the file types .grd and .pla, so that a
# double-click on a class file opens it in Tallyro.
install(FILES ${CMAKE_SOURCE_DIR}/resources/tallyro.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/resources/tallyro-mime.xml
  DESTINATION share/mime/packages RENAME tallyro.xml)
install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/tallyro.svg
  DESTINATION share/icons/hicolor/scalable/apps)
