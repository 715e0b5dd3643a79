# tallyro_module(target NAME name SOURCE entry.cpp LIBRARY library): a part of
# the program the start-up does without, as the module tallyro-<name>.so that
# ui/platform/ondemandmodule reads when it is first needed. It sits beside the
# program in a build tree (where the program looks first) and in
# lib/tallyro/modules once installed (a folder of its own, which ldconfig has
# no business with); its own copies of the libraries it is built from stay its
# own, and only its entry (marked visible in the source) is offered.
function(tallyro_module target)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "NAME;SOURCE;LIBRARY" "")
  add_library(${target} MODULE ${ARG_SOURCE})
  target_link_libraries(${target} PRIVATE ${ARG_LIBRARY})
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME tallyro-${ARG_NAME} PREFIX ""
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  target_link_options(${target} PRIVATE -Wl,--exclude-libs,ALL)
  install(TARGETS ${target} LIBRARY DESTINATION lib/tallyro/modules)
endfunction()
