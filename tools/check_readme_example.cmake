# Runs the tessel-sim example of README.md as written, with PROGRAM (the
# tessel-sim this build made) in place of the path the README shows, and
# fails unless it prints exactly the lines the README shows after it.
#
#   cmake -DPROGRAM=path/to/tessel-sim -DREADME=path/to/README.md -P check_readme_example.cmake
file(READ "${README}" readme)
string(REGEX MATCH "```sh\n\\$ build/release/sim/tessel-sim ([^\n]*)\n([^`]*)```" block
       "${readme}")
if(NOT block)
  message(FATAL_ERROR "README.md has no \"$ build/release/sim/tessel-sim ...\" example")
endif()
set(command_line "${CMAKE_MATCH_1}")
set(expected "${CMAKE_MATCH_2}")
separate_arguments(arguments UNIX_COMMAND "${command_line}")

execute_process(COMMAND "${PROGRAM}" ${arguments}
  OUTPUT_VARIABLE printed ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "tessel-sim ${command_line} exited with ${status}:\n${errors}")
endif()
if(NOT printed STREQUAL expected)
  # NOTICE prints the texts as they are; FATAL_ERROR would re-wrap them.
  message(NOTICE "tessel-sim ${command_line} printed:\n${printed}\nbut README.md shows:\n"
                 "${expected}")
  message(FATAL_ERROR "the README's tessel-sim example prints something else")
endif()
message(STATUS "tessel-sim ${command_line} prints what README.md shows")
