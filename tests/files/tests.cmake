# A stand-in for DeepFinesse on Windows: the tests of starting a program copy
# it into a made-up installation folder and read back what it recorded.
if(WIN32)
  add_executable(kveld_standin ${CMAKE_CURRENT_LIST_DIR}/standin.cpp)
  target_compile_options(kveld_standin PRIVATE ${KVELD_WARNINGS})
  target_link_options(kveld_standin PRIVATE -static -static-libgcc -static-libstdc++)
  add_dependencies(kveld_tests kveld_standin)
endif()
