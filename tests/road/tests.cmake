# The dealing road through the real program in a pseudo-terminal.
if(NOT WIN32 AND NOT CMAKE_CROSSCOMPILING)
  include(${CMAKE_CURRENT_LIST_DIR}/../lib/python_tests.cmake)
  kveld_python_tests(road ${CMAKE_CURRENT_LIST_DIR}/road_test.py TIMEOUT 90
    PROGRAMS kveld=$<TARGET_FILE:kveld>)
endif()
