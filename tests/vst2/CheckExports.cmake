# Lists the names a plug-in library exports and fails unless they are exactly
# VSTPluginMain and main. -DLIBRARY=<file> -DWINDOWS=<bool> -DNM=<nm> -DOBJDUMP=<objdump>
if(WINDOWS)
  execute_process(COMMAND ${OBJDUMP} -p ${LIBRARY} OUTPUT_VARIABLE table RESULT_VARIABLE status)
  # The name table: "[Ordinal/Name Pointer] Table" and rows such as "	[   0] VSTPluginMain",
  # up to the next empty line.
  string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([^\n]+\n)*" section "${table}")
  string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" rows "${section}")
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
