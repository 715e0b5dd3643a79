# The help pages in help/ are compiled into a Qt Help collection that stands
# beside the program: tallyro.qhc (what the viewer opens) and tallyro.qch (the
# pages it registers). The viewer finds the collection in the program's folder
# (a build tree) or in ../share/tallyro beside it (an installed program).
set(TALLYRO_HELP_SOURCE_DIR ${CMAKE_SOURCE_DIR}/help)
get_target_property(TALLYRO_HELP_OUTPUT_DIR tallyro RUNTIME_OUTPUT_DIRECTORY)
if(NOT TALLYRO_HELP_OUTPUT_DIR)
  set(TALLYRO_HELP_OUTPUT_DIR ${CMAKE_CURRENT_BINARY_DIR})
endif()
set(TALLYRO_HELP_COLLECTION ${TALLYRO_HELP_OUTPUT_DIR}/tallyro.qhc)
set(TALLYRO_HELP_DOCUMENTATION ${TALLYRO_HELP_OUTPUT_DIR}/tallyro.qch)

if(TARGET Qt6::qhelpgenerator)
  set(TALLYRO_QHELPGENERATOR Qt6::qhelpgenerator)
else()
  find_program(TALLYRO_QHELPGENERATOR qhelpgenerator
    HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_LIBEXECS} /usr/lib/qt6/libexec /usr/lib/qt6/bin
    REQUIRED)
endif()

# The collection project in help/ names its files relative to itself; the copy
# used for the build names the project in the source tree and the outputs
# beside the program, so nothing is written into the source tree.
file(READ ${TALLYRO_HELP_SOURCE_DIR}/tallyro.qhcp _tallyro_qhcp)
string(REPLACE "<input>tallyro.qhp</input>"
  "<input>${TALLYRO_HELP_SOURCE_DIR}/tallyro.qhp</input>" _tallyro_qhcp "${_tallyro_qhcp}")
string(REPLACE "<output>tallyro.qch</output>"
  "<output>${TALLYRO_HELP_DOCUMENTATION}</output>" _tallyro_qhcp "${_tallyro_qhcp}")
string(REPLACE "<file>tallyro.qch</file>"
  "<file>${TALLYRO_HELP_DOCUMENTATION}</file>" _tallyro_qhcp "${_tallyro_qhcp}")
set(TALLYRO_HELP_BUILD_PROJECT ${CMAKE_CURRENT_BINARY_DIR}/help-project/tallyro.qhcp)
file(CONFIGURE OUTPUT ${TALLYRO_HELP_BUILD_PROJECT} CONTENT "${_tallyro_qhcp}" @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${TALLYRO_HELP_SOURCE_DIR}/tallyro.qhcp)

# Every page the collection is built from; a new page goes here and into
# help/tallyro.qhp.
set(TALLYRO_HELP_PAGES
  about.html
  addstudent.html
  averages.html
  backup.html
  deletefiles.html
  editcells.html
  files.html
  gradebook.html
  gradeentry.html
  index.html
  keyboard.html
  lessoneditor.html
  mainwindow.html
  menus.html
  newclass.html
  newlesson.html
  printgrades.html
  printlessons.html
  reportcards.html
  rostereditor.html
  startupform.html
  steppanel.html
  style.css
  tallyro.qhp
  toolbar.html)
list(TRANSFORM TALLYRO_HELP_PAGES PREPEND ${TALLYRO_HELP_SOURCE_DIR}/ OUTPUT_VARIABLE TALLYRO_HELP_FILES)

# qhelpgenerator adds to an existing collection, so each build starts afresh.
add_custom_command(
  OUTPUT ${TALLYRO_HELP_COLLECTION} ${TALLYRO_HELP_DOCUMENTATION}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${TALLYRO_HELP_COLLECTION} ${TALLYRO_HELP_DOCUMENTATION}
  COMMAND ${TALLYRO_QHELPGENERATOR} ${TALLYRO_HELP_BUILD_PROJECT} -o ${TALLYRO_HELP_COLLECTION}
  DEPENDS ${TALLYRO_HELP_FILES} ${TALLYRO_HELP_BUILD_PROJECT}
  COMMENT "Compiling the help collection tallyro.qhc"
  VERBATIM)
add_custom_target(tallyro_help DEPENDS ${TALLYRO_HELP_COLLECTION} ${TALLYRO_HELP_DOCUMENTATION})
add_dependencies(tallyro tallyro_help)
install(FILES ${TALLYRO_HELP_COLLECTION} ${TALLYRO_HELP_DOCUMENTATION} DESTINATION share/tallyro)
