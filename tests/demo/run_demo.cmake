# Plays datewell-demo's tour with the given arguments (Qt's own options among them) and fails
# when the demo does not exit 0, when a step of the tour did not go as planned, or when the
# offscreen platform's notices about what it cannot do reach its standard error. The tour's
# screenshots stay in OUT, as test artifacts.
#
#   cmake -DDEMO=path/to/datewell-demo -DOUT=dir "-DARGS=-style;fusion" -P run_demo.cmake
file(REMOVE_RECURSE "${OUT}")
execute_process(
  COMMAND "${DEMO}" ${ARGS} --out "${OUT}"
  RESULT_VARIABLE result
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err
  TIMEOUT 120)
message("${out}${err}")
if(NOT result STREQUAL "0")
  message(FATAL_ERROR "datewell-demo ${ARGS} ended with ${result}")
endif()
if(out MATCHES "did not go as planned")
  file(READ "${OUT}/event-log.txt" log)
  message(FATAL_ERROR "a step of the tour failed:\n${log}")
endif()
if(err MATCHES "This plugin does not support")
  message(FATAL_ERROR "the platform's notices reached standard error")
endif()
