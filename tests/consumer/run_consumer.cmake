# Builds the consumer project against Datewell and runs it on the offscreen platform.
#   MODE        installed: Datewell installed from BUILD_DIR into a prefix and found there;
#               subdirectory: Datewell added from SOURCE_DIR with add_subdirectory
#   SOURCE_DIR, BUILD_DIR   Datewell's source and build folders
#   WORK_DIR    the consumer's own folder; kept between runs, so that a rerun builds only what
#               changed
#   CONFIGURE_ARGS          compiler, launcher and flags of Datewell's own build, apart by "|"
set(build ${WORK_DIR}/build)
string(REPLACE "|" ";" args "${CONFIGURE_ARGS}")
if(MODE STREQUAL "installed")
  execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/prefix
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  list(APPEND args -DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix)
else()
  list(APPEND args -DDATEWELL_SOURCE_DIR=${SOURCE_DIR})
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -S ${CMAKE_CURRENT_LIST_DIR}/project -B ${build} ${args}
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} --build ${build} --target date_form_consumer -j 2 OUTPUT_QUIET
                COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                        ${build}/date_form_consumer COMMAND_ERROR_IS_FATAL ANY)
