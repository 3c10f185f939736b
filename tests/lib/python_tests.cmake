# The end-to-end tests written in Python: the interpreter, and one CTest test
# for each test case found in a file, so that a new case runs without an edit
# here. Included by each tests/<kind>/tests.cmake that has such tests.

# The tests need pyte, which Debian installs for its own python3; one found
# first on PATH (a virtual environment, pyenv) may lack it.
set(Python3_ROOT_DIR /usr CACHE PATH "Where the Python for the end-to-end tests is installed")
find_package(Python3 REQUIRED COMPONENTS Interpreter)
execute_process(COMMAND ${Python3_EXECUTABLE} -c "import pyte"
                RESULT_VARIABLE _kveld_python_modules OUTPUT_QUIET ERROR_QUIET)
if(NOT _kveld_python_modules EQUAL 0)
  message(WARNING "${Python3_EXECUTABLE} cannot import pyte: the terminal tests will fail "
                  "(tools/install-deps.sh test installs it)")
endif()

set(KVELD_PYTHON_TEST_LIB ${CMAKE_CURRENT_LIST_DIR})

# kveld_python_tests(PREFIX FILE TIMEOUT SECONDS PROGRAMS NAME=PATH...)
# registers PREFIX.Class.test_name for every test method of every class in
# FILE, each run alone with its time limit.
function(kveld_python_tests prefix file)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "TIMEOUT" "PROGRAMS")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
  file(STRINGS ${file} lines REGEX "^class [A-Za-z0-9_]+[(:]|^    def test_[A-Za-z0-9_]+\\(")
  set(program_args)
  foreach(p ${arg_PROGRAMS})
    list(APPEND program_args --program ${p})
  endforeach()
  set(environment "PYTHONPATH=${KVELD_PYTHON_TEST_LIB};PYTHONDONTWRITEBYTECODE=1")
  set(class "")
  set(cases)
  foreach(line ${lines})
    if(line MATCHES "^class ([A-Za-z0-9_]+)")
      set(class ${CMAKE_MATCH_1})
    elseif(line MATCHES "def (test_[A-Za-z0-9_]+)" AND class)
      set(case ${class}.${CMAKE_MATCH_1})
      list(APPEND cases ${case})
      add_test(NAME ${prefix}.${case}
               COMMAND ${Python3_EXECUTABLE} -m run_tests ${program_args} ${file} ${case})
      set_tests_properties(${prefix}.${case} PROPERTIES TIMEOUT ${arg_TIMEOUT} ENVIRONMENT "${environment}")
    endif()
  endforeach()
  if(NOT cases)
    message(FATAL_ERROR "no test case found in ${file}")
  endif()
  # Python's own test loader finds the same cases: none is left out by the
  # reading above (a case inherited, say, or defined in an unusual way).
  get_filename_component(stem ${file} NAME_WE)
  add_test(NAME ${prefix}.${stem}.all_cases_registered
           COMMAND ${Python3_EXECUTABLE} -m run_tests --registered ${file} ${cases})
  set_tests_properties(${prefix}.${stem}.all_cases_registered
                       PROPERTIES TIMEOUT 30 ENVIRONMENT "${environment}")
endfunction()
