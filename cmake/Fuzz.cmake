# libFuzzer targets: one executable per name_fuzz.cpp, named after the file,
# linked with its folder's library built again with the fuzzer's coverage
# and the address and undefined-behaviour sanitizers. Clang only.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "The fuzz targets need clang (-DCMAKE_CXX_COMPILER=clang++).")
endif()

set(KVELD_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -g)

# The folder's library again, from the same sources, include roots and
# links, with the fuzzer's coverage.
function(kveld_fuzz_library folder)
  set(fuzz kveld_fuzz_${folder})
  if(TARGET ${fuzz})
    return()
  endif()
  get_target_property(sources kveld_${folder} SOURCES)
  add_library(${fuzz} STATIC ${sources})
  target_include_directories(${fuzz} PUBLIC $<TARGET_PROPERTY:kveld_${folder},INCLUDE_DIRECTORIES>)
  target_link_libraries(${fuzz} PUBLIC $<TARGET_PROPERTY:kveld_${folder},LINK_LIBRARIES>)
  target_compile_options(${fuzz} PRIVATE ${KVELD_WARNINGS} -fsanitize=fuzzer-no-link ${KVELD_SANITIZE})
  target_link_options(${fuzz} INTERFACE ${KVELD_SANITIZE})
endfunction()

set(KVELD_FUZZ_TARGETS)
foreach(f ${KVELD_FUZZ_SOURCES})
  get_filename_component(name ${f} NAME_WE)
  get_filename_component(dir ${f} DIRECTORY)
  get_filename_component(folder ${dir} NAME)
  kveld_fuzz_library(${folder})
  add_executable(${name} ${f})
  target_compile_options(${name} PRIVATE ${KVELD_WARNINGS} -fsanitize=fuzzer ${KVELD_SANITIZE})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE kveld_fuzz_${folder})
  list(APPEND KVELD_FUZZ_TARGETS ${name})
endforeach()
add_custom_target(fuzz_targets DEPENDS ${KVELD_FUZZ_TARGETS})
message(STATUS "Fuzz targets: ${KVELD_FUZZ_TARGETS}")
