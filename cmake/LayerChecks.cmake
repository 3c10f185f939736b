# Tests that the layers hold. Each builds one include as a file of a library
# would be built: a header of a folder it may use must compile, one of a
# folder above it or beside it must not. The product must carry no test
# support.
set(_probes ${CMAKE_BINARY_DIR}/layer_probes)
# library | header it may include | header it must not reach
set(_layer_cases
  "platform|platform/keys.h|rules/dealer.h"
  "rules|rules/dealer.h|core/console_kit.h"
  "core|rules/dealer.h|deal/board_one.h"
  "deal|core/program.h|settings/setup.h"
  "archive|rules/archive_text.h|app/main_flow.h")
foreach(_case ${_layer_cases})
  string(REPLACE "|" ";" _parts ${_case})
  list(GET _parts 0 _lib)
  list(GET _parts 1 _allowed)
  list(GET _parts 2 _refused)
  foreach(_kind allowed refused)
    # An object library that sees what the library's own files see: its own
    # include root and what it links.
    set(_probe layer_probe_${_lib}_${_kind})
    set(_file ${_probes}/${_lib}_${_kind}.cpp)
    file(WRITE ${_file} "#include \"${_${_kind}}\"\n")
    add_library(${_probe} OBJECT EXCLUDE_FROM_ALL ${_file})
    target_link_libraries(${_probe} PRIVATE kveld_${_lib} $<TARGET_PROPERTY:kveld_${_lib},LINK_LIBRARIES>)
    add_test(NAME layers.${_lib}_${_kind} COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target ${_probe})
    set_tests_properties(layers.${_lib}_${_kind} PROPERTIES TIMEOUT 120 RESOURCE_LOCK kveld_build_folder)
  endforeach()
  set_tests_properties(layers.${_lib}_refused PROPERTIES WILL_FAIL TRUE)
endforeach()

add_test(NAME layers.no_test_support_in_kveld
         COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DPROGRAM=$<TARGET_FILE:kveld>
                 -P ${CMAKE_CURRENT_LIST_DIR}/NoTestSupport.cmake)
set_tests_properties(layers.no_test_support_in_kveld PROPERTIES TIMEOUT 60)
