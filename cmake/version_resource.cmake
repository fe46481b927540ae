# The version resource of a Windows executable, written from the project's
# version (project(... VERSION ...) is the only place the number lives).
set(VARNOK_PUBLISHER "The Varnok 32 developers")
set(VARNOK_COPYRIGHT "Copyright (c) 2026 The Varnok 32 developers")

# varnok_version_resource(TARGET FILE_NAME DESCRIPTION)
function(varnok_version_resource target file_name description)
  set(VARNOK_RC_FILE "${file_name}")
  set(VARNOK_RC_DESCRIPTION "${description}")
  get_filename_component(VARNOK_RC_INTERNAL "${file_name}" NAME_WE)
  set(rc "${CMAKE_BINARY_DIR}/version/${target}_version.rc")
  configure_file("${PROJECT_SOURCE_DIR}/resources/version.rc.in" "${rc}" @ONLY)
  target_sources(${target} PRIVATE "${rc}")
endfunction()
