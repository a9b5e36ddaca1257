# Runs COMMAND with the list ARGS and fails unless it exits with
# EXPECTED_STATUS, its standard error matches EXPECTED_STDERR and, when given,
# its standard output matches EXPECTED_STDOUT. With STDOUT_FILE set, standard
# output goes to that file instead (such as /dev/full, to see a failed write).
# Usage: cmake -DCOMMAND=... -DARGS=a;b -DEXPECTED_STATUS=2 -DEXPECTED_STDERR=regex -P this file
if(DEFINED STDOUT_FILE)
  set(output_to OUTPUT_FILE "${STDOUT_FILE}")
else()
  set(output_to OUTPUT_VARIABLE out)
endif()
execute_process(
  COMMAND ${COMMAND} ${ARGS}
  RESULT_VARIABLE status
  ${output_to}
  ERROR_VARIABLE err)
if(NOT status STREQUAL EXPECTED_STATUS)
  message(FATAL_ERROR "expected exit status ${EXPECTED_STATUS}, got ${status}\n${err}")
endif()
if(NOT err MATCHES "${EXPECTED_STDERR}")
  message(FATAL_ERROR "standard error does not match '${EXPECTED_STDERR}':\n${err}")
endif()
if(DEFINED EXPECTED_STDOUT AND NOT out MATCHES "${EXPECTED_STDOUT}")
  message(FATAL_ERROR "standard output does not match '${EXPECTED_STDOUT}':\n${out}")
endif()
