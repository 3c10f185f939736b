# Fails when the program PROGRAM holds a symbol of the test support (the
# scripted console), as listed by NM.
execute_process(COMMAND ${NM} -C ${PROGRAM} OUTPUT_VARIABLE symbols RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${NM} could not read ${PROGRAM}")
endif()
string(REGEX MATCHALL "[^\n]*ScriptedConsole[^\n]*" found "${symbols}")
if(found)
  message(FATAL_ERROR "${PROGRAM} holds test support:\n${found}")
endif()
string(LENGTH "${symbols}" length)
message(STATUS "${PROGRAM}: ${length} bytes of symbols, no test support")
