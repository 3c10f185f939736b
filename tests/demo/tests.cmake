# The newcomer's first run: installation, and the demo road in a real terminal.
if(NOT CMAKE_CROSSCOMPILING)
  add_test(NAME demo.install_finds_manual
           COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/install_test.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(demo.install_finds_manual PROPERTIES TIMEOUT 120)
  include(${CMAKE_CURRENT_LIST_DIR}/../lib/python_tests.cmake)
  kveld_python_tests(demo ${CMAKE_CURRENT_LIST_DIR}/standin_screen.py TIMEOUT 120
    PROGRAMS standin=$<TARGET_FILE:dfstandin>)
  # The whole demo road through the real program: tools/run-demo.sh in a
  # fresh demo folder, from the first run's settings notice to the stand-in
  # showing Board 1, and a second run that keeps the settings.
  kveld_python_tests(demo ${CMAKE_CURRENT_LIST_DIR}/demo_road.py TIMEOUT 180
    PROGRAMS kveld=$<TARGET_FILE:kveld> run_demo=${PROJECT_SOURCE_DIR}/tools/run-demo.sh)
endif()
