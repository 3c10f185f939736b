# The dealing road through the real program in a pseudo-terminal.
if(NOT WIN32 AND NOT CMAKE_CROSSCOMPILING)
  add_test(NAME road.control_string_to_archive_file
    COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/road_test.py $<TARGET_FILE:kveld>)
  set_tests_properties(road.control_string_to_archive_file PROPERTIES TIMEOUT 90)
endif()
