# Installation and packages.
#
# Layout, which the program relies on to find its manual (core/manual):
#   POSIX    <prefix>/bin/kveld, <prefix>/share/doc/kveld/Bridge/Software/Manuals/KVELD-Manual.htm
#   Windows  <folder>/kveld.exe, <folder>/doc/Bridge/Software/Manuals/KVELD-Manual.htm
# and the browser page, when built: <prefix>/share/kveld/kveld.html, <folder>/kveld.html.
# The build puts the manual at <build>/doc/... beside the program built
# there, so that it also finds its manual before being installed; that copy
# is the one installed.
#
# The POSIX install also holds the manual pages (share/man/man1, compressed)
# and, for the Debian package, copyright and changelog.gz in share/doc/kveld;
# the Windows folder holds LICENSE.txt beside the program.
#
# The manual, the manual pages and the changelog are made from their sources
# in docs/ by configure_file, which writes in the contact address
# (cmake/Contact.cmake): @KVELD_CONTACT@, @KVELD_CONTACT_ROFF@ and
# @KVELD_MAINTAINER@.
set(KVELD_MAINTAINER "Kveld Archive developers <${KVELD_CONTACT}>")
set(KVELD_MANUAL_PATH Bridge/Software/Manuals/KVELD-Manual.htm)
set(_manual_copy ${CMAKE_BINARY_DIR}/doc/${KVELD_MANUAL_PATH})
configure_file(${PROJECT_SOURCE_DIR}/docs/${KVELD_MANUAL_PATH} ${_manual_copy} @ONLY)

# Folders made by the install are rwxr-xr-x whatever the umask, as packages
# want them.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

if(WIN32)
  set(KVELD_INSTALL_BINDIR .)
  set(KVELD_INSTALL_DOCDIR doc)
else()
  set(KVELD_INSTALL_BINDIR bin)
  set(KVELD_INSTALL_DOCDIR share/doc/kveld)
endif()
install(TARGETS kveld kveld-batch RUNTIME DESTINATION ${KVELD_INSTALL_BINDIR})
# The browser edition, one file that `make web` builds: beside the programs
# in the Windows folder, /usr/share/kveld/kveld.html on Linux.
if(KVELD_WEB_PAGE)
  if(WIN32)
    install(FILES ${KVELD_WEB_PAGE} DESTINATION .)
  else()
    install(FILES ${KVELD_WEB_PAGE} DESTINATION share/kveld)
  endif()
endif()
get_filename_component(_manual_dir ${KVELD_MANUAL_PATH} DIRECTORY)
install(FILES ${_manual_copy} DESTINATION ${KVELD_INSTALL_DOCDIR}/${_manual_dir})

if(WIN32)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
else()
  # Manual pages and the changelog are compressed as Debian wants them:
  # gzip -9n, which leaves the file name and time out of the header so that
  # the same text always gives the same bytes.
  set(_man_pages kveld)
  if(TARGET kveld-batch)
    list(APPEND _man_pages kveld-batch)
  endif()
  set(_compressed)
  # The pages as made, <build>/man/pages/, are what the tests read.
  foreach(page ${_man_pages})
    set(_made ${CMAKE_BINARY_DIR}/man/pages/${page}.1)
    configure_file(${PROJECT_SOURCE_DIR}/docs/man/${page}.1.in ${_made} @ONLY)
    set(_copy ${CMAKE_BINARY_DIR}/man/${page}.1)
    add_custom_command(
      OUTPUT ${_copy}.gz
      COMMAND ${CMAKE_COMMAND} -E copy ${_made} ${_copy}
      COMMAND gzip -9nf ${_copy}
      DEPENDS ${_made}
      COMMENT "Compressing the manual page ${page}(1)")
    list(APPEND _compressed ${_copy}.gz)
    install(FILES ${_copy}.gz DESTINATION share/man/man1)
  endforeach()

  # The Debian changelog names the version packaged; a version raised in
  # project() without a changelog entry stops here rather than in a package
  # whose changelog contradicts it.
  set(_changelog ${CMAKE_BINARY_DIR}/debian/made/changelog)
  configure_file(${PROJECT_SOURCE_DIR}/docs/debian/changelog.in ${_changelog} @ONLY)
  file(STRINGS ${_changelog} _changelog_top LIMIT_COUNT 1)
  if(NOT _changelog_top MATCHES "^kveld \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "docs/debian/changelog.in begins with \"${_changelog_top}\"; "
      "its first entry must be for version ${PROJECT_VERSION}.")
  endif()
  add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/debian/changelog.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${_changelog} ${CMAKE_BINARY_DIR}/debian/changelog
    COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/debian/changelog
    DEPENDS ${_changelog}
    COMMENT "Compressing the Debian changelog")
  list(APPEND _compressed ${CMAKE_BINARY_DIR}/debian/changelog.gz)
  add_custom_target(kveld_compressed_docs ALL DEPENDS ${_compressed})
  install(FILES ${CMAKE_BINARY_DIR}/debian/changelog.gz DESTINATION ${KVELD_INSTALL_DOCDIR})

  # The machine-readable copyright file, its licence terms taken from LICENSE
  # so that the two cannot differ.
  file(READ ${PROJECT_SOURCE_DIR}/LICENSE _license)
  if(NOT _license MATCHES "Copyright \\(c\\) ([^\n]+)\n")
    message(FATAL_ERROR "LICENSE has no line \"Copyright (c) YEAR HOLDER\".")
  endif()
  set(KVELD_COPYRIGHT "${CMAKE_MATCH_1}")
  string(FIND "${_license}" "Permission is hereby granted" _terms_start)
  string(SUBSTRING "${_license}" ${_terms_start} -1 _terms)
  string(STRIP "${_terms}" _terms)
  # A continuation line of a control file starts with a blank; an empty line
  # is written as " .".
  string(REPLACE "\n\n" "\n.\n" _terms "${_terms}")
  string(REPLACE "\n" "\n " KVELD_LICENSE_TERMS " ${_terms}")
  configure_file(${PROJECT_SOURCE_DIR}/docs/debian/copyright.in
    ${CMAKE_BINARY_DIR}/debian/copyright @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/debian/copyright DESTINATION ${KVELD_INSTALL_DOCDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/docs/debian/lintian-overrides
    DESTINATION share/lintian/overrides RENAME kveld)
endif()

set(CPACK_PACKAGE_NAME kveld)
set(CPACK_PACKAGE_VENDOR "Kveld Archive")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${KVELD_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "duplicate-bridge deals from the control strings of hand records")
# Debian shows the description in 80 columns: lines of at most 79
# characters, paragraphs separated by an empty line.
set(CPACK_PACKAGE_DESCRIPTION [[
A computer-dealt duplicate-bridge set comes with a printed hand record that
carries a ten-character control string. From that string alone Kveld Archive
deals every board of the set again, card for card, shows Board 1 for the user
to compare with the hand record, and writes the whole set of 24 or 36 boards
as a deal archive file into the folder of the DeepFinesse double-dummy
analysis program, which it then offers to start.

The program runs in a terminal of at least 80 x 25. It finds a DeepFinesse
installed under Wine by Wine's drive letters and keeps its settings in the
same KVELD.INI file as the Windows build.]])
if(TARGET kveld-batch)
  string(APPEND CPACK_PACKAGE_DESCRIPTION "\n\n" [[
The package also holds kveld-batch, which does the same from the command line
for any number of control strings, without a terminal, and writes each set as
a DeepFinesse archive file, as PBN or as four-hand diagrams.]])
endif()
if(KVELD_WEB_PAGE)
  string(APPEND CPACK_PACKAGE_DESCRIPTION "\n\n" [[
The browser edition, /usr/share/kveld/kveld.html, is one self-contained page
that deals, checks, analyses and prints a set in any browser, offline.]])
endif()
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME kveld-${PROJECT_VERSION}-windows-x64)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KVELD_MAINTAINER}")
  set(CPACK_DEBIAN_PACKAGE_SECTION misc)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
  # Sounds play through aplay, a Windows DeepFinesse starts through wine and
  # the manual opens with xdg-open; the program works without each of them.
  set(CPACK_DEBIAN_PACKAGE_SUGGESTS "alsa-utils, wine, xdg-utils")
  # CPack strips as `install -s` does; this also removes the .comment and
  # .note sections, as Debian's own packaging tools do.
  set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/StripPrograms.cmake)
  set(CPACK_KVELD_STRIP ${CMAKE_STRIP})
endif()
include(CPack)
