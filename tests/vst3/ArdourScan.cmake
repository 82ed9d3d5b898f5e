# Runs Ardour's VST3 scanner, a host no one here wrote, on the Quorvel3 bundle and checks
# its report: the plug-in's entry with its class, vendor and buses, and no error.
#   cmake -DSCANNER=<ardour-vst3-scanner> -DBUNDLE=<Quorvel3.vst3> -DHOME_DIR=<scratch> -P ArdourScan.cmake
file(REMOVE_RECURSE ${HOME_DIR})
file(MAKE_DIRECTORY ${HOME_DIR})
get_filename_component(scanner_libs ${SCANNER} DIRECTORY)
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env HOME=${HOME_DIR} XDG_CACHE_HOME=${HOME_DIR}/cache
          LD_LIBRARY_PATH=${scanner_libs} ${SCANNER} --force --verbose ${BUNDLE}
  RESULT_VARIABLE status
  OUTPUT_VARIABLE report
  ERROR_VARIABLE report)
message("${report}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "scanner exited with ${status}")
endif()
if(report MATCHES "\\[ERROR\\]")
  message(FATAL_ERROR "scanner reported an error")
endif()
foreach(expected "Found Plugin: Quorvel" "name=\"Quorvel\"" "vendor=\"Palund\"" "category=\"Fx\""
                 "n_inputs=\"2\"" "n_outputs=\"2\"")
  string(FIND "${report}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "scanner report lacks ${expected}")
  endif()
endforeach()
