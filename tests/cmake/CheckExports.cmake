# Checks that a module exports exactly the expected names.
#   cmake -DLISTER=<nm or objdump> -DMODULE=<file> "-DEXPECTED=a;b;c" -P CheckExports.cmake
if(LISTER MATCHES "objdump")
  execute_process(COMMAND ${LISTER} -p ${MODULE} OUTPUT_VARIABLE listing RESULT_VARIABLE status)
  string(REGEX MATCHALL "\n[\t ]+\\[ *[0-9]+\\] [A-Za-z_][A-Za-z0-9_]*" entries "${listing}")
  list(TRANSFORM entries REPLACE "^.*\\] " "")
else()
  execute_process(COMMAND ${LISTER} -D --defined-only --format=just-symbols ${MODULE}
                  OUTPUT_VARIABLE listing RESULT_VARIABLE status)
  string(REGEX MATCHALL "[^\n]+" entries "${listing}")
endif()
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cannot list the exports of ${MODULE}")
endif()
list(SORT entries)
list(SORT EXPECTED)
if(NOT entries STREQUAL EXPECTED)
  message(FATAL_ERROR "${MODULE} exports '${entries}', expected '${EXPECTED}'")
endif()
