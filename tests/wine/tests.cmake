# The Windows program in a real console under Wine: a driver types keys into
# the console and reads the screen back (console_driver.cpp), following the
# scripts in scripts/; run-console-tests.py runs each in a terminal of its own.
if(WIN32)
  # The resource tests read kveld.exe, which sits beside kveld_tests.exe.
  add_dependencies(kveld_tests kveld)

  add_executable(kveld_console_driver ${CMAKE_CURRENT_LIST_DIR}/console_driver.cpp
    ${CMAKE_CURRENT_LIST_DIR}/driver_files.cpp ${CMAKE_CURRENT_LIST_DIR}/driver_keys.cpp
    ${CMAKE_CURRENT_LIST_DIR}/driver_sounds.cpp ${CMAKE_CURRENT_LIST_DIR}/driver_text.cpp)
  target_compile_options(kveld_console_driver PRIVATE ${KVELD_WARNINGS})
  target_link_libraries(kveld_console_driver PRIVATE kveld_core)
  target_link_options(kveld_console_driver PRIVATE -municode)
  add_dependencies(kveld_console_driver kveld kveld_tests)

  # A stand-in that shows the keys it reads, for the driver's own tests.
  add_executable(kveld_key_echo ${CMAKE_CURRENT_LIST_DIR}/key_echo.cpp)
  target_compile_options(kveld_key_echo PRIVATE ${KVELD_WARNINGS})
  target_link_libraries(kveld_key_echo PRIVATE kveld_core)
  add_dependencies(kveld_console_driver kveld_key_echo)

  # Stands in for the command interpreter: records the command lines that
  # the program builds, then runs them with the real one.
  add_executable(kveld_interpreter_recorder ${CMAKE_CURRENT_LIST_DIR}/interpreter_recorder.cpp)
  target_compile_options(kveld_interpreter_recorder PRIVATE ${KVELD_WARNINGS})
  target_compile_definitions(kveld_interpreter_recorder PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN)
  target_link_options(kveld_interpreter_recorder PRIVATE -static -static-libgcc -static-libstdc++)
  add_dependencies(kveld_console_driver kveld_interpreter_recorder dfstandin)

  include(${CMAKE_CURRENT_LIST_DIR}/../lib/python_tests.cmake)
  add_test(NAME wine_console
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/run-console-tests.py ${CMAKE_BINARY_DIR})
  set_tests_properties(wine_console PROPERTIES TIMEOUT 900
    ENVIRONMENT "PYTHONPATH=${KVELD_PYTHON_TEST_LIB};PYTHONDONTWRITEBYTECODE=1")
endif()
