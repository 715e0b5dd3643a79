# Packaging: what `cmake --install` puts in the Linux places, and the CPack
# settings of the Debian package (`cpack -G DEB`, run by scripts/build-package).
#
#   /usr/bin/tallyro                          the program (install(TARGETS) at the top)
#   /usr/share/tallyro/                       the help collection (TallyroHelp.cmake)
#   /usr/share/applications/tallyro.desktop   the menu entry
#   /usr/share/mime/packages/tallyro.xml      the .grd and .pla file types
#   /usr/share/icons/hicolor/...              the icon: scalable, 48x48, 256x256
#   /usr/share/metainfo/<id>.metainfo.xml     what a software centre shows
#   /usr/share/man/man1/tallyro.1.gz          the command line
#   /usr/share/doc/tallyro/                   copyright and changelog

set(TALLYRO_APP_ID org.tallyro.Tallyro)
set(TALLYRO_HOMEPAGE "https://tallyro.org/")
set(TALLYRO_MAINTAINER "The Tallyro developers <developers@tallyro.org>")
# The day of this release, for the changelog and the software centre.
set(TALLYRO_RELEASE_DATE 2026-12-09)
set(TALLYRO_RELEASE_DATE_RFC2822 "Wed, 09 Dec 2026 12:00:00 +0000")

# A package's folders are rwxr-xr-x whatever the umask of the one building it.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(_tallyro_package_dir ${CMAKE_BINARY_DIR}/package-files)

# The desktop entry, the icon and the file types, so that the program is in
# the menu and a double-click on a class file opens it in Tallyro.
install(FILES ${CMAKE_SOURCE_DIR}/resources/tallyro.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/resources/tallyro-mime.xml
  DESTINATION share/mime/packages RENAME tallyro.xml)
install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/tallyro.svg
  DESTINATION share/icons/hicolor/scalable/apps)
foreach(_size 48x48 256x256)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/hicolor/${_size}/tallyro.png
    DESTINATION share/icons/hicolor/${_size}/apps)
endforeach()

configure_file(${CMAKE_SOURCE_DIR}/resources/${TALLYRO_APP_ID}.metainfo.xml
  ${_tallyro_package_dir}/${TALLYRO_APP_ID}.metainfo.xml @ONLY)
install(FILES ${_tallyro_package_dir}/${TALLYRO_APP_ID}.metainfo.xml DESTINATION share/metainfo)

install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright DESTINATION share/doc/tallyro)

# Debian keeps manual pages and changelogs compressed, without a time stamp in
# the gzip header, so the same sources give the same package.
configure_file(${CMAKE_SOURCE_DIR}/docs/tallyro.1 ${_tallyro_package_dir}/tallyro.1 @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/changelog.in ${_tallyro_package_dir}/changelog @ONLY)
find_program(TALLYRO_GZIP gzip REQUIRED)
add_custom_command(
  OUTPUT ${_tallyro_package_dir}/tallyro.1.gz ${_tallyro_package_dir}/changelog.gz
  COMMAND ${TALLYRO_GZIP} -9nkf tallyro.1 changelog
  DEPENDS ${_tallyro_package_dir}/tallyro.1 ${_tallyro_package_dir}/changelog
  WORKING_DIRECTORY ${_tallyro_package_dir}
  COMMENT "Compressing the manual page and the changelog"
  VERBATIM)
add_custom_target(tallyro_package_files ALL
  DEPENDS ${_tallyro_package_dir}/tallyro.1.gz ${_tallyro_package_dir}/changelog.gz)
install(FILES ${_tallyro_package_dir}/tallyro.1.gz DESTINATION share/man/man1)
install(FILES ${_tallyro_package_dir}/changelog.gz DESTINATION share/doc/tallyro)

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tallyro)
set(CPACK_PACKAGE_VENDOR "The Tallyro developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_HOMEPAGE_URL ${TALLYRO_HOMEPAGE})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_STRIP_FILES ON)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/packaging/strip.cmake)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "grade book and weekly lesson planner for classroom teachers")
# Debian shows the description as it stands: lines of at most 80 characters.
set(CPACK_PACKAGE_DESCRIPTION [=[
Tallyro keeps one class per grade file: the roster of up to 45 students,
the weights of eleven grade categories from Homework to Special Project,
and every grade. It works out each student's category averages and
weighted grand average, in Decimal or Rounded mode, and marks the averages
below the failing limit.

A new grade can be entered for the whole class one category at a time, or
a single cell edited; a grade can be excused or dropped. Tallyro prints the
grand averages, the sorted averages, every grade of the class or one
student, and report cards in up to four copies. It also keeps a week of
lesson plans, ten periods from Monday to Friday, to edit and print.

The averages and the printed lists are also available on the command line.]=])
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The installed program finds its libraries where the system keeps them.
set_target_properties(tallyro PROPERTIES INSTALL_RPATH "")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TALLYRO_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps finds the libraries the program links; the Qt plugins it
# loads at run time (the X11 platform, SQLite for the help) are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6sql6-sqlite")
# Printed lists and report cards keep their layout with metric-compatible
# stand-ins for Times New Roman and Comic Sans MS.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, fonts-comic-neue")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
