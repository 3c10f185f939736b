# The browser page (`make web`, configured with emcmake): the rules, the
# formats and the solver compiled to WebAssembly by emscripten into one
# module, which tools of CMake's own embed with the page's HTML, CSS and
# JavaScript in one file, kveld.html. The bindings in src/web are built here
# only, never by the native builds.
set(web ${PROJECT_SOURCE_DIR}/src/web)

# Every file with C++ exceptions (emscripten leaves them out by default), and
# with what its C++ library lacks (compat.h).
add_compile_options(-fexceptions "SHELL:-include ${PROJECT_SOURCE_DIR}/src/web/compat.h")
kveld_library(encoding)
kveld_library(rules PRIVATE kveld_encoding)
add_subdirectory(src/analysis)
kveld_library(formats PUBLIC kveld_rules kveld_analysis PRIVATE kveld_encoding)

file(GLOB web_sources CONFIGURE_DEPENDS ${web}/*.cpp)
add_executable(kveld_module ${web_sources})
set_target_properties(kveld_module PROPERTIES SUFFIX .js)
# An include root of its own, as every library has (KveldLibrary.cmake).
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/include/web)
if(NOT EXISTS ${CMAKE_BINARY_DIR}/include/web/web)
  file(CREATE_LINK ${web} ${CMAKE_BINARY_DIR}/include/web/web SYMBOLIC)
endif()
target_include_directories(kveld_module PRIVATE ${CMAKE_BINARY_DIR}/include/web)
target_compile_options(kveld_module PRIVATE ${KVELD_WARNINGS})
target_compile_definitions(kveld_module PRIVATE KVELD_VERSION="${PROJECT_VERSION}")
target_link_libraries(kveld_module PRIVATE kveld_formats kveld_analysis kveld_rules)
# One file: the WebAssembly inside the script (-sSINGLE_FILE), a factory
# that the page and its Workers call (-sMODULARIZE); the solver's tables grow
# the memory as they fill.
target_link_options(kveld_module PRIVATE --bind -fexceptions -sSINGLE_FILE=1 -sMODULARIZE=1
  -sEXPORT_NAME=KveldModule -sALLOW_MEMORY_GROWTH=1 -sENVIRONMENT=web,worker,node)

set(page ${CMAKE_BINARY_DIR}/kveld.html)
add_custom_command(OUTPUT ${page}
  COMMAND ${CMAKE_COMMAND} -DTEMPLATE=${web}/kveld.html -DSTYLE=${web}/kveld.css -DSCRIPT=${web}/kveld.js
          -DMODULE=$<TARGET_FILE:kveld_module> -DVERSION=${PROJECT_VERSION} -DOUTPUT=${page}
          -P ${web}/assemble.cmake
  DEPENDS kveld_module ${web}/kveld.html ${web}/kveld.css ${web}/kveld.js ${web}/assemble.cmake
  VERBATIM)
add_custom_target(kveld_page ALL DEPENDS ${page})
