# The printable hand record as a person sees it: kveld-batch's HTML printed
# to PDF and photographed by headless Chromium, the pages read back with
# poppler.
if(NOT WIN32 AND NOT CMAKE_CROSSCOMPILING)
  include(${CMAKE_CURRENT_LIST_DIR}/../lib/python_tests.cmake)
  kveld_python_tests(handrecord ${CMAKE_CURRENT_LIST_DIR}/hand_record_test.py TIMEOUT 600
    PROGRAMS kveld-batch=$<TARGET_FILE:kveld-batch>)
endif()
