# The build refuses an include of a higher layer (cmake -DBIN=<build dir> -P this file): the
# probe that includes only its own layer and the one below builds; the probe that includes a
# higher layer stops at that include.
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BIN} --target layer_probe_down
                RESULT_VARIABLE down OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT down EQUAL 0)
  message(FATAL_ERROR "layers: the downward probe does not build:\n${out}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BIN} --target layer_probe_up
                RESULT_VARIABLE up OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(up EQUAL 0)
  message(FATAL_ERROR "layers: link/ could include session/: the build does not keep the layers")
endif()
if(NOT out MATCHES "session/session.h: No such file or directory")
  message(FATAL_ERROR "layers: the upward probe failed for another reason:\n${out}")
endif()
message("layers: an upward include does not compile")
