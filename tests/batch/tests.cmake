# kveld-batch's PBN files read back by a PBN reader we did not write: npm's
# "pbn" package, installed into the build folder by the first test.
if(NOT WIN32 AND NOT CMAKE_CROSSCOMPILING)
  find_program(KVELD_NODE NAMES node nodejs REQUIRED)
  find_program(KVELD_NPM npm REQUIRED)
  add_test(NAME batch.pbn_reader_install
           COMMAND ${KVELD_NPM} install --no-audit --no-fund --prefix ${CMAKE_BINARY_DIR}/npm pbn@1.6.1)
  set_tests_properties(batch.pbn_reader_install PROPERTIES TIMEOUT 300 FIXTURES_SETUP pbn_reader)
  add_test(NAME batch.pbn_read_back
           COMMAND ${KVELD_NODE} ${CMAKE_CURRENT_LIST_DIR}/pbn_readback.js $<TARGET_FILE:kveld-batch>
                   ${CMAKE_BINARY_DIR}/npm)
  set_tests_properties(batch.pbn_read_back PROPERTIES TIMEOUT 300 FIXTURES_REQUIRED pbn_reader)
endif()

# The skip count of a late session wrapping at 16 bits, in kveld-batch's sets.
if(NOT WIN32 AND NOT CMAKE_CROSSCOMPILING)
  include(${CMAKE_CURRENT_LIST_DIR}/../lib/python_tests.cmake)
  kveld_python_tests(batch ${CMAKE_CURRENT_LIST_DIR}/wrapped_skip_test.py TIMEOUT 120
    PROGRAMS kveld-batch=$<TARGET_FILE:kveld-batch>)
endif()
