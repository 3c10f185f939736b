# The failure screens of the real program in a pseudo-terminal: a first run
# without settings, a missing archive folder, a read-only archive file, a
# folder name Windows refuses, a limit on the size of files.
if(NOT WIN32 AND NOT CMAKE_CROSSCOMPILING)
  foreach(case FirstRun.test_notice_then_setup
               MissingFolder.test_question_answered_no
               ReadOnly.test_key_typed_ahead_ends_the_halt
               BadName.test_file_access_error
               FileSizeLimit.test_write_past_the_limit_is_a_full_disk)
    add_test(NAME failures.${case}
      COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/failure_terminal_test.py $<TARGET_FILE:kveld> ${case})
    set_tests_properties(failures.${case} PROPERTIES TIMEOUT 90)
  endforeach()
endif()
