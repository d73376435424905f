# vendrel_generated_source(target name inputs...): configures cmake/NAME.in with the caller's
# variables into the build tree as NAME, compiles it into `target`, and configures again when one
# of `inputs` changes.
function(vendrel_generated_source target name)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ARGN})
  set(generated ${CMAKE_CURRENT_BINARY_DIR}/${name})
  configure_file(${PROJECT_SOURCE_DIR}/cmake/${name}.in ${generated} @ONLY)
  target_sources(${target} PRIVATE ${generated})
endfunction()
