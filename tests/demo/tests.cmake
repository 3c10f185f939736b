# The newcomer's first run: installation, and the demo road in a real terminal.
if(NOT CMAKE_CROSSCOMPILING)
  add_test(NAME demo.install_finds_manual
           COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/install_test.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(demo.install_finds_manual PROPERTIES TIMEOUT 120)
endif()
