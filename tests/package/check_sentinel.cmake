# A variadic query without its ending null pointer draws the compiler's sentinel warning.
execute_process(
  COMMAND ${COMPILER} -std=c++17 -fsyntax-only -Wall -I${INCLUDE_DIR} ${SOURCE}
  ERROR_VARIABLE diagnostics RESULT_VARIABLE ignored)
if(NOT diagnostics MATCHES "missing sentinel")
  message(FATAL_ERROR "no sentinel warning from ${COMPILER}:\n${diagnostics}")
endif()
