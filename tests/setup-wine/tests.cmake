# The Windows build's setup search, run under Wine on a drive made for it.
if(NOT CMAKE_CROSSCOMPILING AND NOT WIN32)
  set(KVELD_WIN_TESTS_EXE "${CMAKE_BINARY_DIR}/../win/kveld_tests.exe"
      CACHE FILEPATH "The Windows build's test program, run under Wine")
  add_test(NAME setup_search_under_wine
           COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/run.sh ${PROJECT_SOURCE_DIR} ${KVELD_WIN_TESTS_EXE})
  set_tests_properties(setup_search_under_wine PROPERTIES TIMEOUT 400 SKIP_RETURN_CODE 77)
endif()
