# What the install and the packages carry besides the programs: the manual
# pages (rendered as lintian renders them, and in step with --help), and the
# Debian documents. The .deb itself is checked by lintian in `make package`.
if(NOT WIN32 AND NOT CMAKE_CROSSCOMPILING)
  include(${CMAKE_CURRENT_LIST_DIR}/../lib/python_tests.cmake)
  set(_made ${CMAKE_BINARY_DIR}/man/pages)
  set(_pages ${_made}/kveld.1)
  if(TARGET kveld-batch)
    list(APPEND _pages ${_made}/kveld-batch.1)
    add_test(NAME package.batch_options_in_manual_page
             COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/package_test.py options
                     $<TARGET_FILE:kveld-batch> ${_made}/kveld-batch.1)
    set_tests_properties(package.batch_options_in_manual_page PROPERTIES TIMEOUT 60)
  endif()
  add_test(NAME package.manual_pages_render
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/package_test.py render ${_pages})
  add_test(NAME package.install_documents
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/package_test.py install
                   ${CMAKE_BINARY_DIR} ${PROJECT_SOURCE_DIR} ${PROJECT_VERSION} ${_pages})
  set_tests_properties(package.manual_pages_render package.install_documents PROPERTIES TIMEOUT 60)
  add_test(NAME package.one_contact
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/package_test.py contact ${CMAKE_BINARY_DIR})
  set_tests_properties(package.one_contact PROPERTIES TIMEOUT 300)
endif()
