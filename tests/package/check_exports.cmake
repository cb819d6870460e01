# Fails when the shared library exports anything beyond its interface: a symbol of the
# standard library or of an internal namespace.
execute_process(COMMAND nm -D --defined-only -C ${LIBRARY} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()
string(REGEX MATCHALL "[^\n]*(std::|quillset::)[^\n]*" leaked "${symbols}")
if(leaked)
  list(JOIN leaked "\n" text)
  message(FATAL_ERROR "exported beyond the interface:\n${text}")
endif()
if(NOT symbols MATCHES "CCmdGen::ParseCommand")
  message(FATAL_ERROR "the interface is not exported")
endif()
