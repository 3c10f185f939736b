# Fails when the program PROGRAM holds a symbol of the test support, as
# listed by NM: a class or namespace of src/testing/ (NAMES, "A|B|...").
execute_process(COMMAND ${NM} -C ${PROGRAM} OUTPUT_VARIABLE symbols RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${NM} could not read ${PROGRAM}")
endif()
string(REGEX MATCHALL "[^\n]*kveld::(${NAMES})[^A-Za-z0-9_][^\n]*" found "${symbols}")
if(found)
  message(FATAL_ERROR "${PROGRAM} holds test support:\n${found}")
endif()
# A program without symbols would pass whatever it held.
string(REGEX MATCHALL "kveld::" ours "${symbols}")
list(LENGTH ours count)
if(count EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} lists none of the program's own symbols")
endif()
message(STATUS "${PROGRAM}: ${count} symbols of the program's own, no test support (${NAMES})")
