# The Windows build's setup search, run under Wine on a drive made for it.
# Registered when the Windows build's test program is named (make test does):
# the test then fails if that program is missing.
if(NOT CMAKE_CROSSCOMPILING AND NOT WIN32)
  set(KVELD_WIN_TESTS_EXE "" CACHE FILEPATH "The Windows build's test program, run under Wine")
  if(KVELD_WIN_TESTS_EXE)
    add_test(NAME setup_search_under_wine
             COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/run.sh ${PROJECT_SOURCE_DIR} ${KVELD_WIN_TESTS_EXE})
    set_tests_properties(setup_search_under_wine PROPERTIES TIMEOUT 400)
  endif()
endif()
