# The browser page (build/web/kveld.html, `make web`) in Debian's Chromium,
# driven by npm's puppeteer-core, which the first test installs into the
# build folder. Each group of page_test.js is a test of its own.
if(NOT WIN32 AND NOT CMAKE_CROSSCOMPILING)
  set(KVELD_WEB_PAGE ${CMAKE_BINARY_DIR}/../web/kveld.html CACHE FILEPATH "The page that `make web` builds")
  find_program(KVELD_NODE NAMES node nodejs REQUIRED)
  set(_npm ${CMAKE_BINARY_DIR}/web-npm)
  add_test(NAME web.install COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/install.sh ${_npm})
  set_tests_properties(web.install PROPERTIES TIMEOUT 300 FIXTURES_SETUP web_npm)
  # name | what page_test.js calls it | seconds
  set(_groups
    set_and_refusals "refused one" 240
    files "bytes kveld-batch writes" 240
    analysis "Analyse solves" 900
    link "string link" 240
    keyboard_and_print "keyboard alone" 300)
  while(_groups)
    list(POP_FRONT _groups name pattern seconds)
    add_test(NAME web.${name}
             COMMAND ${KVELD_NODE} --test-name-pattern=${pattern} ${CMAKE_CURRENT_LIST_DIR}/page_test.js
                     ${_npm} ${KVELD_WEB_PAGE} $<TARGET_FILE:kveld-batch>)
    set_tests_properties(web.${name} PROPERTIES TIMEOUT ${seconds} FIXTURES_REQUIRED web_npm)
  endwhile()
endif()
