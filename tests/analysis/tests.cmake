# The unit tests of the analysis library (name_test.cpp beside its sources),
# a program of their own since only they need the solver.
file(GLOB KVELD_ANALYSIS_TESTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/analysis/*_test.cpp)
add_executable(kveld_analysis_tests ${KVELD_ANALYSIS_TESTS})
target_compile_options(kveld_analysis_tests PRIVATE ${KVELD_WARNINGS})
target_link_libraries(kveld_analysis_tests PRIVATE kveld_analysis GTest::gtest_main)
if(NOT CMAKE_CROSSCOMPILING)
  gtest_discover_tests(kveld_analysis_tests DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120)
endif()

# The double-dummy tables of whole sets against the independent solver of
# Debian's `deal` (one 36-board set, one 24-board set), and kveld-batch's
# par scores against deal's.
if(NOT CMAKE_CROSSCOMPILING)
  add_executable(kveld_dd_lines ${CMAKE_CURRENT_LIST_DIR}/dd_lines.cpp)
  target_compile_options(kveld_dd_lines PRIVATE ${KVELD_WARNINGS})
  target_link_libraries(kveld_dd_lines PRIVATE kveld_analysis)
  include(${CMAKE_CURRENT_LIST_DIR}/../lib/python_tests.cmake)
  kveld_python_tests(analysis ${CMAKE_CURRENT_LIST_DIR}/dd_against_deal_test.py TIMEOUT 600
    PROGRAMS dd_lines=$<TARGET_FILE:kveld_dd_lines> kveld-batch=$<TARGET_FILE:kveld-batch>)
endif()
