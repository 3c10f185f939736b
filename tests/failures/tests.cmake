# The failure screens of the real program in a pseudo-terminal: a first run
# without settings, a missing archive folder, a full disk, a folder name
# Windows refuses.
if(NOT WIN32 AND NOT CMAKE_CROSSCOMPILING)
  include(${CMAKE_CURRENT_LIST_DIR}/../lib/python_tests.cmake)
  kveld_python_tests(failures ${CMAKE_CURRENT_LIST_DIR}/failure_terminal_test.py TIMEOUT 90
    PROGRAMS kveld=$<TARGET_FILE:kveld>)
endif()
