# libFuzzer targets: one executable per name_fuzz.cpp, named after the file,
# linked with the program's library built again with the fuzzer's coverage
# and the address and undefined-behaviour sanitizers. Clang only.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "The fuzz targets need clang (-DCMAKE_CXX_COMPILER=clang++).")
endif()

set(KVELD_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -g)

add_library(kveld_fuzz_core STATIC ${KVELD_LIB_SOURCES})
target_include_directories(kveld_fuzz_core PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_compile_options(kveld_fuzz_core PRIVATE ${KVELD_WARNINGS} -fsanitize=fuzzer-no-link ${KVELD_SANITIZE})
target_link_options(kveld_fuzz_core INTERFACE ${KVELD_SANITIZE})

set(KVELD_FUZZ_TARGETS)
foreach(f ${KVELD_FUZZ_SOURCES})
  get_filename_component(name ${f} NAME_WE)
  add_executable(${name} ${f})
  target_compile_options(${name} PRIVATE ${KVELD_WARNINGS} -fsanitize=fuzzer ${KVELD_SANITIZE})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE kveld_fuzz_core)
  list(APPEND KVELD_FUZZ_TARGETS ${name})
endforeach()
add_custom_target(fuzz_targets DEPENDS ${KVELD_FUZZ_TARGETS})
message(STATUS "Fuzz targets: ${KVELD_FUZZ_TARGETS}")
