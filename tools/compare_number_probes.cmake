# Writes a probe's input with GENERATOR, runs the native probe (NATIVE) and
# the browser build's (WEB, under NODE) on it, and fails unless both print
# the very same bytes, one line for each line of input. The generator prints
# how many lines it wrote and what they are ("11586 rate sets"); the number
# probe and the long-run probe both run through here. The files stay in
# WORK for a closer look.
#
#   cmake -DNATIVE=... -DWEB=.../number_probe.js -DNODE=node -DGENERATOR=...py
#         -DWORK=folder -P compare_number_probes.cmake
if(NOT EXISTS "${WEB}")
  message(FATAL_ERROR "${WEB} is missing: build the 'web' preset first (tools/build-web.sh)")
endif()
file(MAKE_DIRECTORY "${WORK}")
set(input "${WORK}/input.txt")

execute_process(COMMAND python3 "${GENERATOR}" "${input}"
  OUTPUT_VARIABLE generated RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the input generator failed (${status})")
endif()

foreach(side native web)
  if(side STREQUAL native)
    set(command "${NATIVE}")
  else()
    set(command "${NODE}" --no-experimental-fetch "${WEB}")
  endif()
  execute_process(COMMAND ${command} INPUT_FILE "${input}" OUTPUT_FILE "${WORK}/${side}.txt"
    ERROR_VARIABLE errors RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "the ${side} probe exited with ${status}:\n${errors}")
  endif()
endforeach()

# One line out for every line in: a probe that stopped early fails here even
# when the other stopped at the same place.
string(REGEX MATCH "^[0-9]+" count "${generated}")
string(REGEX REPLACE "^[0-9]+ *([^\n]*)\n?$" "\\1" items "${generated}")
file(STRINGS "${WORK}/native.txt" printed)
list(LENGTH printed printed_count)
if(NOT count OR NOT printed_count EQUAL count)
  message(FATAL_ERROR "the native probe printed ${printed_count} lines for ${count} ${items}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK}/native.txt" "${WORK}/web.txt"
  RESULT_VARIABLE differ)
if(differ)
  execute_process(COMMAND diff "${WORK}/native.txt" "${WORK}/web.txt" OUTPUT_VARIABLE shown)
  string(SUBSTRING "${shown}" 0 3000 shown)
  message(NOTICE "native (<) and browser (>) probes differ; lines numbered as in ${input}:\n"
                 "${shown}")
  message(FATAL_ERROR "the native and browser probes print different numbers")
endif()
file(SIZE "${WORK}/native.txt" size)
message(STATUS "${count} ${items}: the native and browser probes print the same ${size} bytes")
