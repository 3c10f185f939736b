# Run by CPack after the install into its staging folder: strips the programs
# of the .comment and .note sections too, which CPack's own stripping keeps.
file(GLOB _programs ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/*)
foreach(program ${_programs})
  execute_process(
    COMMAND ${CPACK_KVELD_STRIP} --remove-section=.comment --remove-section=.note ${program}
    RESULT_VARIABLE _result)
  if(NOT _result EQUAL 0)
    message(FATAL_ERROR "Could not strip ${program}")
  endif()
endforeach()
if(NOT _programs)
  message(FATAL_ERROR "No programs in ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin to strip")
endif()
