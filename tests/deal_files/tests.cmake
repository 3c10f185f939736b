# Our deal file readers against files written by programs we did not write:
# the PBN of Debian's `dealer` and `deal`, read by kveld-batch --input and
# compared card for card with the hands each program prints in a form of its
# own.
if(NOT CMAKE_CROSSCOMPILING)
  include(${CMAKE_CURRENT_LIST_DIR}/../lib/python_tests.cmake)
  kveld_python_tests(deal_files ${CMAKE_CURRENT_LIST_DIR}/dealing_programs_test.py TIMEOUT 120
    PROGRAMS kveld-batch=$<TARGET_FILE:kveld-batch>)
endif()
