# Run by CPack on the staged files before it packs them: the program and its
# modules lose the sections Debian's own packages are stripped of (the
# compiler's .comment and the .note sections), as dh_strip does.
file(GLOB_RECURSE _programs LIST_DIRECTORIES false "${CPACK_TEMPORARY_DIRECTORY}/*/bin/*"
  "${CPACK_TEMPORARY_DIRECTORY}/*/lib/tallyro/modules/*.so")
foreach(_program IN LISTS _programs)
  execute_process(
    COMMAND strip --remove-section=.comment --remove-section=.note --strip-unneeded "${_program}"
    RESULT_VARIABLE _status)
  if(NOT _status EQUAL 0)
    message(FATAL_ERROR "cannot strip ${_program}")
  endif()
endforeach()
