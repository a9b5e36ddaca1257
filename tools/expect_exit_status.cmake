# Runs COMMAND with the list ARGS and fails unless it exits with
# EXPECTED_STATUS and its standard error matches EXPECTED_STDERR.
# Usage: cmake -DCOMMAND=... -DARGS=a;b -DEXPECTED_STATUS=2 -DEXPECTED_STDERR=regex -P this file
execute_process(
  COMMAND ${COMMAND} ${ARGS}
  RESULT_VARIABLE status
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err)
if(NOT status STREQUAL EXPECTED_STATUS)
  message(FATAL_ERROR "expected exit status ${EXPECTED_STATUS}, got ${status}\n${err}")
endif()
if(NOT err MATCHES "${EXPECTED_STDERR}")
  message(FATAL_ERROR "standard error does not match '${EXPECTED_STDERR}':\n${err}")
endif()
