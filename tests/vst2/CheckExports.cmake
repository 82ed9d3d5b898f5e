# Lists the names a plug-in library exports and fails unless they are exactly
# VSTPluginMain and main. -DLIBRARY=<file> -DWINDOWS=<bool> -DNM=<nm> -DOBJDUMP=<objdump>
if(WINDOWS)
  execute_process(COMMAND ${OBJDUMP} -p ${LIBRARY} OUTPUT_VARIABLE table RESULT_VARIABLE status)
  # Export name table rows look like "	[   0] VSTPluginMain".
  string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" rows "${table}")
  string(REGEX REPLACE "\\[ *[0-9]+\\] " "" names "${rows}")
else()
  execute_process(COMMAND ${NM} -D --defined-only --format=just-symbols ${LIBRARY}
                  OUTPUT_VARIABLE table RESULT_VARIABLE status)
  string(REGEX MATCHALL "[^\n]+" names "${table}")
endif()
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cannot list the exports of ${LIBRARY}")
endif()
list(SORT names)
if(NOT names STREQUAL "VSTPluginMain;main")
  message(FATAL_ERROR "exports of ${LIBRARY}: '${names}', expected exactly VSTPluginMain and main")
endif()
message(STATUS "exports: ${names}")
