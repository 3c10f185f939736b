# The browser page (build/web/kveld.html, `make web`) in Debian's Chromium,
# driven by npm's puppeteer-core, which the first test installs into the
# build folder. Each group of page_test.js is a test of its own.
if(NOT WIN32 AND NOT CMAKE_CROSSCOMPILING)
  set(_page ${KVELD_WEB_PAGE})
  if(NOT _page)
    set(_page ${CMAKE_BINARY_DIR}/../web/kveld.html)
  endif()
  find_program(KVELD_NODE NAMES node nodejs REQUIRED)
  set(_npm ${CMAKE_BINARY_DIR}/web-npm)
  add_test(NAME web.install COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/install.sh ${_npm})
  set_tests_properties(web.install PROPERTIES TIMEOUT 300 FIXTURES_SETUP web_npm)
  # group of page_test.js | seconds
  set(_groups set_and_refusals 240 files 240 deal_files 300 analysis 900 link 240 keyboard_and_print 300)
  while(_groups)
    list(POP_FRONT _groups name seconds)
    add_test(NAME web.${name}
             COMMAND ${KVELD_NODE} ${CMAKE_CURRENT_LIST_DIR}/page_test.js
                     ${_npm} ${_page} $<TARGET_FILE:kveld-batch> ${name})
    set_tests_properties(web.${name} PROPERTIES TIMEOUT ${seconds} FIXTURES_REQUIRED web_npm)
  endwhile()
endif()
