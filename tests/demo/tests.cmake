# The newcomer's first run: installation, and the demo road in a real terminal.
if(NOT CMAKE_CROSSCOMPILING)
  add_test(NAME demo.install_finds_manual
           COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/install_test.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(demo.install_finds_manual PROPERTIES TIMEOUT 120)
  add_test(NAME demo.standin_screen
           COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/standin_screen.py $<TARGET_FILE:dfstandin>)
  set_tests_properties(demo.standin_screen PROPERTIES TIMEOUT 120)
endif()

# The whole demo road through the real program (tools/run-demo.sh in a fresh
# demo folder). It needs every step of the program; until they are all in
# place it runs only when asked for: -DKVELD_DEMO_ROAD=ON, or the environment
# variable KVELD_DEMO_ROAD set when CMake configures.
option(KVELD_DEMO_ROAD "Run the demo road end to end in a real terminal" OFF)
if(NOT CMAKE_CROSSCOMPILING AND (KVELD_DEMO_ROAD OR DEFINED ENV{KVELD_DEMO_ROAD}))
  add_test(NAME demo.road
           COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/demo_road.py
                   $<TARGET_FILE:kveld> ${PROJECT_SOURCE_DIR}/tools/run-demo.sh)
  set_tests_properties(demo.road PROPERTIES TIMEOUT 180)
endif()
