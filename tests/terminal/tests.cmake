# Real-terminal tests: the program, and a probe of its console device, in
# pseudo-terminals whose screens are read back with pyte.
if(NOT WIN32 AND NOT CMAKE_CROSSCOMPILING)
  add_executable(kveld_terminal_probe ${CMAKE_CURRENT_LIST_DIR}/terminal_probe.cpp)
  target_compile_options(kveld_terminal_probe PRIVATE ${KVELD_WARNINGS})
  target_link_libraries(kveld_terminal_probe PRIVATE kveld_core)

  include(${CMAKE_CURRENT_LIST_DIR}/../lib/python_tests.cmake)
  kveld_python_tests(terminal ${CMAKE_CURRENT_LIST_DIR}/terminal_test.py TIMEOUT 90
    PROGRAMS kveld=$<TARGET_FILE:kveld> probe=$<TARGET_FILE:kveld_terminal_probe>)
  kveld_python_tests(terminal ${CMAKE_CURRENT_LIST_DIR}/odd_terminal_test.py TIMEOUT 90
    PROGRAMS kveld=$<TARGET_FILE:kveld> probe=$<TARGET_FILE:kveld_terminal_probe>)
  kveld_python_tests(terminal ${CMAKE_CURRENT_LIST_DIR}/outside_programs_test.py TIMEOUT 90
    PROGRAMS kveld=$<TARGET_FILE:kveld>)
endif()
