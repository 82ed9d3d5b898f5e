# Runs Ardour's VST2 scanner on the library and checks what it found. The scanner exits 0
# even when it cannot load a plug-in, so its output is what tells.
# -DSCANNER_DIR=<ardour lib dir> -DLIBRARY=<file> -DCACHE_DIR=<dir for the scanner's cache>
file(REMOVE_RECURSE ${CACHE_DIR})
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env LD_LIBRARY_PATH=${SCANNER_DIR} XDG_CACHE_HOME=${CACHE_DIR}
          ${SCANNER_DIR}/ardour-vst-scanner --force --verbose ${LIBRARY}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status TIMEOUT 120)
set(report "${out}${err}")
message("${report}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "scanner exit status ${status}")
endif()
if(report MATCHES "\\[ERROR\\]")
  message(FATAL_ERROR "the scanner reported an error")
endif()
string(REGEX MATCH "<VST2Info [^>]*>" entry "${report}")
if(NOT entry)
  message(FATAL_ERROR "the scanner found no plug-in")
endif()
foreach(expected
    "name=\"Quorvel\"" "creator=\"Palund\"" "n_inputs=\"2\"" "n_outputs=\"2\""
    "can_process_replace=\"1\"" "id=\"1366701944\"")
  string(FIND "${entry}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "scanner entry lacks ${expected}: ${entry}")
  endif()
endforeach()
