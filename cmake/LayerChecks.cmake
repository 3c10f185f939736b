# Tests that the layers hold, made from the folders kveld_library() has made
# and the folders each links, so that a new folder is checked too. For each
# folder two probes are built as a file of the folder would be built: one
# that includes a header of every folder it links must compile; one that
# includes a header of a folder it must not reach (one that links it, else
# one above or beside it) must fail, and for the right reason: the header is
# not found. The products must carry no test support.
set(_probes ${CMAKE_BINARY_DIR}/layer_probes)
get_property(_layers GLOBAL PROPERTY KVELD_LAYERS)

# A header of each folder, the first in name order that every platform builds.
foreach(_lib ${_layers})
  file(GLOB _headers RELATIVE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/src/${_lib}/*.h)
  list(FILTER _headers EXCLUDE REGEX "_(posix|win32)\\.h$")
  list(SORT _headers)
  list(GET _headers 0 _header_of_${_lib})
  get_property(_links_of_${_lib} GLOBAL PROPERTY KVELD_LAYER_LINKS_${_lib})
endforeach()

# The folders a folder reaches through its links, itself among them.
function(_kveld_reach lib out)
  set(reached ${lib})
  foreach(l ${_links_of_${lib}})
    _kveld_reach(${l} sub)
    list(APPEND reached ${sub})
  endforeach()
  list(REMOVE_DUPLICATES reached)
  set(${out} ${reached} PARENT_SCOPE)
endfunction()

function(_kveld_probe lib kind text)
  set(probe layer_probe_${lib}_${kind})
  set(file ${_probes}/${lib}_${kind}.cpp)
  file(WRITE ${file} "${text}")
  # An object library that sees what the folder's own files see: its own
  # include root and what it links.
  add_library(${probe} OBJECT EXCLUDE_FROM_ALL ${file})
  target_link_libraries(${probe} PRIVATE kveld_${lib} $<TARGET_PROPERTY:kveld_${lib},LINK_LIBRARIES>)
  add_test(NAME layers.${lib}_${kind} COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target ${probe})
  set_tests_properties(layers.${lib}_${kind} PROPERTIES TIMEOUT 120 RESOURCE_LOCK kveld_build_folder)
endfunction()

foreach(_lib ${_layers})
  # Allowed: a header of each folder it links (its own when it links none).
  set(_text "")
  set(_allowed ${_links_of_${_lib}})
  if(NOT _allowed)
    set(_allowed ${_lib})
  endif()
  foreach(_l ${_allowed})
    string(APPEND _text "#include \"${_header_of_${_l}}\"\n")
  endforeach()
  _kveld_probe(${_lib} allowed "${_text}")

  # Refused: a folder that links this one, else the first it does not reach.
  _kveld_reach(${_lib} _reached)
  set(_refused "")
  foreach(_other ${_layers})
    if(NOT _other IN_LIST _reached AND _lib IN_LIST _links_of_${_other})
      set(_refused ${_other})
      break()
    endif()
  endforeach()
  if(NOT _refused)
    foreach(_other ${_layers})
      if(NOT _other IN_LIST _reached)
        set(_refused ${_other})
        break()
      endif()
    endforeach()
  endif()
  if(_refused)
    set(_header ${_header_of_${_refused}})
    _kveld_probe(${_lib} refused "#include \"${_header}\"\n")
    # g++: "x/y.h: No such file or directory"; clang: "'x/y.h' file not found".
    string(REPLACE "." "\\." _pattern ${_header})
    set_tests_properties(layers.${_lib}_refused PROPERTIES
                         PASS_REGULAR_EXPRESSION "${_pattern}: No such file|'${_pattern}' file not found")
  endif()
endforeach()

# The tests, benchmarks and fuzz targets of each folder keep to what the
# folder reaches, besides the test support (or the benchmarks' own header).
set(_layers_file ${_probes}/reach.cmake)
set(_text "set(LAYERS ${_layers})\n")
foreach(_lib ${_layers})
  _kveld_reach(${_lib} _reached)
  string(APPEND _text "set(REACH_${_lib} ${_reached})\n")
endforeach()
file(WRITE ${_layers_file} "${_text}")
add_test(NAME layers.tests_keep_to_their_folders
         COMMAND ${CMAKE_COMMAND} -DLAYERS_FILE=${_layers_file} -DSOURCE=${PROJECT_SOURCE_DIR}/src
                 -P ${CMAKE_CURRENT_LIST_DIR}/TestIncludes.cmake)
set_tests_properties(layers.tests_keep_to_their_folders PROPERTIES TIMEOUT 60)

# The classes and namespaces of the test support, none of which a product holds.
file(GLOB _support ${PROJECT_SOURCE_DIR}/src/testing/*.h)
set(_names)
foreach(_file ${_support})
  file(STRINGS ${_file} _lines REGEX "^(class [A-Za-z0-9_]+|namespace kveld::[A-Za-z0-9_]+)")
  foreach(_line ${_lines})
    string(REGEX REPLACE "^(class |namespace kveld::)([A-Za-z0-9_]+).*" "\\2" _name "${_line}")
    list(APPEND _names ${_name})
  endforeach()
endforeach()
list(REMOVE_DUPLICATES _names)
list(SORT _names)
list(JOIN _names "|" _names)
foreach(_program kveld kveld-batch)
  add_test(NAME layers.no_test_support_in_${_program}
           COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} "-DNAMES=${_names}" -DPROGRAM=$<TARGET_FILE:${_program}>
                   -P ${CMAKE_CURRENT_LIST_DIR}/NoTestSupport.cmake)
  set_tests_properties(layers.no_test_support_in_${_program} PROPERTIES TIMEOUT 60)
endforeach()
