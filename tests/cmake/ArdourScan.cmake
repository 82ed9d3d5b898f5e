# Runs one of Ardour's plug-in scanners, a host no one here wrote, on a plug-in and checks its
# report. The scanners exit 0 even when they cannot load a plug-in, so the report is what tells:
# it must have no error and every expected attribute.
#   cmake -DSCANNER=<ardour scanner> -DPLUGIN=<library or bundle> -DHOME_DIR=<scratch>
#         "-DEXPECTED=name=Quorvel;n_inputs=2;..." -P ArdourScan.cmake
# Each expected key=value must appear in the report as key="value".
file(REMOVE_RECURSE ${HOME_DIR})
file(MAKE_DIRECTORY ${HOME_DIR})
get_filename_component(scanner_libs ${SCANNER} DIRECTORY)
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env HOME=${HOME_DIR} XDG_CACHE_HOME=${HOME_DIR}/cache
          LD_LIBRARY_PATH=${scanner_libs} ${SCANNER} --force --verbose ${PLUGIN}
  RESULT_VARIABLE status
  OUTPUT_VARIABLE report
  ERROR_VARIABLE report
  TIMEOUT 120)
message("${report}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "scanner exited with ${status}")
endif()
if(report MATCHES "\\[ERROR\\]")
  message(FATAL_ERROR "scanner reported an error")
endif()
foreach(pair IN LISTS EXPECTED)
  string(REGEX REPLACE "^([^=]+)=(.*)$" "\\1=\"\\2\"" attribute "${pair}")
  string(FIND "${report}" "${attribute}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "scanner report lacks ${attribute}")
  endif()
endforeach()
