# kveld_library(NAME [OWN_TESTS] [PUBLIC lib...] [PRIVATE lib...])
#
# Makes src/NAME/ the static library kveld_NAME. Its sources are found by
# pattern, so that a new file needs no edit here: name.cpp, and
# name_posix.cpp / name_win32.cpp for the platform built; name_test.cpp,
# name_bench.cpp and name_fuzz.cpp go to the tests, the benchmarks and the
# fuzz targets; main.cpp is a program's own (KVELD_NAME_MAIN).
#
# Each library has an include root of its own in the build folder, holding
# only a link NAME -> src/NAME. A file sees "NAME/x.h" only when its target
# links kveld_NAME, so an include against the direction of the layers is a
# build error. PUBLIC is for libraries that the folder's headers include.
#
# The tests of every folder form kveld_tests, which links all the libraries;
# a folder with OWN_TESTS builds its tests into a program of its own
# (tests/NAME/tests.cmake) and stays out of kveld_tests.
function(kveld_library name)
  cmake_parse_arguments(ARG "OWN_TESTS" "" "PUBLIC;PRIVATE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${name}/*.cpp)
  set(lib_sources)
  foreach(f ${sources})
    if(f MATCHES "_${KVELD_OTHER}(_test)?\\.cpp$")
      continue()
    elseif(f MATCHES "_bench\\.cpp$")
      set_property(GLOBAL APPEND PROPERTY KVELD_BENCH_SOURCES ${f})
    elseif(f MATCHES "_fuzz\\.cpp$")
      set_property(GLOBAL APPEND PROPERTY KVELD_FUZZ_SOURCES ${f})
    elseif(f MATCHES "_test\\.cpp$")
      if(NOT ARG_OWN_TESTS)
        set_property(GLOBAL APPEND PROPERTY KVELD_TEST_SOURCES ${f})
      endif()
    elseif(f MATCHES "/main\\.cpp$")
      set(KVELD_${name}_MAIN ${f} PARENT_SCOPE)
    else()
      list(APPEND lib_sources ${f})
    endif()
  endforeach()

  set(root ${CMAKE_BINARY_DIR}/include/${name})
  if(NOT EXISTS ${root}/${name})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${name} ${root}/${name} SYMBOLIC)
  endif()

  set(target kveld_${name})
  if(lib_sources)
    add_library(${target} STATIC ${lib_sources})
    target_include_directories(${target} PUBLIC ${root})
    target_compile_options(${target} PRIVATE ${KVELD_WARNINGS})
    target_link_libraries(${target} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
  else()
    # Headers only: what they include is all they need.
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${root})
    target_link_libraries(${target} INTERFACE ${ARG_PUBLIC})
  endif()
  if(NOT ARG_OWN_TESTS)
    set_property(GLOBAL APPEND PROPERTY KVELD_LIBRARIES ${target})
  endif()
  # Every folder and the folders it links, for the layer checks
  # (cmake/LayerChecks.cmake).
  set(links)
  foreach(lib ${ARG_PUBLIC} ${ARG_PRIVATE})
    if(lib MATCHES "^kveld_(.+)$")
      list(APPEND links ${CMAKE_MATCH_1})
    endif()
  endforeach()
  set_property(GLOBAL APPEND PROPERTY KVELD_LAYERS ${name})
  set_property(GLOBAL PROPERTY KVELD_LAYER_LINKS_${name} ${links})
endfunction()
