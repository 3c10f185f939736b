# Our deal file readers against files written by programs we did not write:
# the PBN of Debian's `dealer` and `deal`, compared card for card with the
# hands each program prints in a form of its own.
if(NOT CMAKE_CROSSCOMPILING)
  add_executable(kveld_deal_lines ${CMAKE_CURRENT_LIST_DIR}/deal_lines.cpp)
  target_compile_options(kveld_deal_lines PRIVATE ${KVELD_WARNINGS})
  target_link_libraries(kveld_deal_lines PRIVATE kveld_formats)
  include(${CMAKE_CURRENT_LIST_DIR}/../lib/python_tests.cmake)
  kveld_python_tests(deal_files ${CMAKE_CURRENT_LIST_DIR}/dealing_programs_test.py TIMEOUT 120
    PROGRAMS deal_lines=$<TARGET_FILE:kveld_deal_lines>)
endif()
