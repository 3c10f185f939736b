# The demo setting: a small stand-in for DeepFinesse that shows the newest
# deal archive file of its installation. It is no part of the program; the
# demo (tools/run-demo.sh) and the end-to-end tests install it where setup
# looks for DeepFinesse, which is why its file name matches "d*.exe" on
# every platform (a file that is not a Windows program starts directly).
set(_standin ${PROJECT_SOURCE_DIR}/demo/standin)
add_library(dfstandin_core STATIC
  ${_standin}/archive_reader.cpp
  ${_standin}/archive_folder.cpp
  ${_standin}/diagram.cpp
  ${_standin}/terminal_${KVELD_PLATFORM}.cpp)
target_include_directories(dfstandin_core PUBLIC ${_standin})
target_compile_options(dfstandin_core PRIVATE ${KVELD_WARNINGS})
if(WIN32)
  target_link_options(dfstandin_core INTERFACE -static -static-libgcc -static-libstdc++)
endif()

add_executable(dfstandin ${_standin}/main.cpp)
set_target_properties(dfstandin PROPERTIES OUTPUT_NAME dfstandin SUFFIX ".exe")
target_compile_options(dfstandin PRIVATE ${KVELD_WARNINGS})
target_link_libraries(dfstandin PRIVATE dfstandin_core)

if(KVELD_TESTS)
  if(WIN32)
    # The tests of starting programs copy the stand-in into a made-up
    # installation folder, and use it as the command interpreter too.
    add_dependencies(kveld_tests dfstandin)
  endif()
  add_executable(dfstandin_tests ${_standin}/standin_test.cpp)
  target_compile_options(dfstandin_tests PRIVATE ${KVELD_WARNINGS})
  # The worked example's hands come from the tests' reference deals.
  target_include_directories(dfstandin_tests PRIVATE ${CMAKE_BINARY_DIR}/include/testing)
  target_link_libraries(dfstandin_tests PRIVATE dfstandin_core kveld_rules GTest::gtest_main)
  if(NOT CMAKE_CROSSCOMPILING)
    gtest_discover_tests(dfstandin_tests DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 60)
  endif()
endif()
