# Real-terminal tests: the program, and a probe of its console device, in
# pseudo-terminals whose screens are read back with pyte.
if(NOT WIN32 AND NOT CMAKE_CROSSCOMPILING)
  add_executable(kveld_terminal_probe ${CMAKE_CURRENT_LIST_DIR}/terminal_probe.cpp)
  target_compile_options(kveld_terminal_probe PRIVATE ${KVELD_WARNINGS})
  target_link_libraries(kveld_terminal_probe PRIVATE kveld_core)

  set(KVELD_TERMINAL_CASES
    TitleScreen.test_title_screen
    TitleScreen.test_larger_terminal_uses_the_top_left
    Restoring.test_normal_end
    Refusing.test_not_a_terminal
    Refusing.test_output_not_a_terminal
    Refusing.test_input_not_a_terminal
    Keys.test_keys_arrive_decoded_and_raw
    Keys.test_sequence_in_two_parts
    Keys.test_typed_ahead_keys_keep_their_order
    Keys.test_pause_keeps_keys
    Keys.test_flush_discards_pending_keys
    Sound.test_no_audio_rings_the_bell
    Sound.test_player_gets_the_sound
    GivingBack.test_signals
    GivingBack.test_signal_during_a_pause
    GivingBack.test_close_exception_destructor_terminate
    Resize.test_resize_repaints_the_whole_screen
    Resize.test_resize_during_a_pause
    Question.test_quit_question)
  foreach(case ${KVELD_TERMINAL_CASES})
    add_test(NAME terminal.${case}
      COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/terminal_test.py
              $<TARGET_FILE:kveld> $<TARGET_FILE:kveld_terminal_probe> ${case})
    set_tests_properties(terminal.${case} PROPERTIES TIMEOUT 90 SKIP_RETURN_CODE 77)
  endforeach()

  set(KVELD_ODD_TERMINAL_CASES
    SmallTerminal.test_a_terminal_that_obeys_the_request
    SmallTerminal.test_note_until_the_user_makes_the_terminal_larger
    SmallTerminal.test_esc_or_q_at_the_note_end_the_program
    SlowLink.test_an_arrow_key_split_by_a_slow_link
    Locale.test_ascii_where_the_locale_is_not_utf8
    Locale.test_utf8_where_the_locale_says_so_or_nothing_is_said)
  foreach(case ${KVELD_ODD_TERMINAL_CASES})
    add_test(NAME terminal.${case}
      COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/odd_terminal_test.py
              $<TARGET_FILE:kveld> $<TARGET_FILE:kveld_terminal_probe> ${case})
    set_tests_properties(terminal.${case} PROPERTIES TIMEOUT 90 SKIP_RETURN_CODE 77)
  endforeach()
endif()
