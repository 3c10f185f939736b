# Installation and packages.
#
# Layout, which the program relies on to find its manual (core/manual):
#   POSIX    <prefix>/bin/kveld, <prefix>/share/doc/kveld/Bridge/Software/Manuals/KVELD-Manual.htm
#   Windows  <folder>/kveld.exe, <folder>/doc/Bridge/Software/Manuals/KVELD-Manual.htm
# The build puts a copy of the manual at <build>/doc/... beside the program
# built there, so that it also finds its manual before being installed.
set(KVELD_MANUAL_PATH Bridge/Software/Manuals/KVELD-Manual.htm)
set(_manual_source ${PROJECT_SOURCE_DIR}/docs/${KVELD_MANUAL_PATH})
set(_manual_copy ${CMAKE_BINARY_DIR}/doc/${KVELD_MANUAL_PATH})
add_custom_command(
  OUTPUT ${_manual_copy}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${_manual_source} ${_manual_copy}
  DEPENDS ${_manual_source}
  COMMENT "Copying the manual beside the program")
add_custom_target(kveld_manual ALL DEPENDS ${_manual_copy})
add_dependencies(kveld kveld_manual)
if(TARGET kveld_tests)
  add_dependencies(kveld_tests kveld_manual)
endif()

if(WIN32)
  set(KVELD_INSTALL_BINDIR .)
  set(KVELD_INSTALL_DOCDIR doc)
else()
  set(KVELD_INSTALL_BINDIR bin)
  set(KVELD_INSTALL_DOCDIR share/doc/kveld)
endif()
install(TARGETS kveld kveld-batch RUNTIME DESTINATION ${KVELD_INSTALL_BINDIR})
get_filename_component(_manual_dir ${KVELD_MANUAL_PATH} DIRECTORY)
install(FILES ${_manual_source} DESTINATION ${KVELD_INSTALL_DOCDIR}/${_manual_dir})

set(CPACK_PACKAGE_NAME kveld)
set(CPACK_PACKAGE_VENDOR "Kveld Archive")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Regenerates duplicate-bridge sets from their control strings for DeepFinesse")
set(CPACK_PACKAGE_DESCRIPTION
  "Kveld Archive regenerates every deal of a computer-dealt duplicate-bridge set from the ten-character control string of its hand record, shows Board 1 for confirmation and writes the set as a deal archive file into the folder of the DeepFinesse analysis program.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME kveld-${PROJECT_VERSION}-windows-x64)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Kveld Archive maintainers <kveld@localhost>")
  set(CPACK_DEBIAN_PACKAGE_SECTION misc)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()
include(CPack)
