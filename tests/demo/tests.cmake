# The newcomer's first run: installation, and the demo road in a real terminal.
if(NOT CMAKE_CROSSCOMPILING)
  add_test(NAME demo.install_finds_manual
           COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/install_test.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(demo.install_finds_manual PROPERTIES TIMEOUT 120)
  add_test(NAME demo.standin_screen
           COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/standin_screen.py $<TARGET_FILE:dfstandin>)
  set_tests_properties(demo.standin_screen PROPERTIES TIMEOUT 120)
  # The whole demo road through the real program: tools/run-demo.sh in a
  # fresh demo folder, from the first run's settings notice to the stand-in
  # showing Board 1, and a second run that keeps the settings.
  add_test(NAME demo.road
           COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/demo_road.py
                   $<TARGET_FILE:kveld> ${PROJECT_SOURCE_DIR}/tools/run-demo.sh)
  set_tests_properties(demo.road PROPERTIES TIMEOUT 180)
endif()
