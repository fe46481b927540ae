# The version resource and the application manifest of a Windows executable,
# written from the project's version (project(... VERSION ...) is the only
# place the number lives).
set(VARNOK_PUBLISHER "The Varnok 32 developers")
set(VARNOK_COPYRIGHT "Copyright (c) 2026 The Varnok 32 developers")

# varnok_version_resource(TARGET FILE_NAME DESCRIPTION): the version
# resource and the manifest (resource 1 of type 24, RT_MANIFEST).
function(varnok_version_resource target file_name description)
  set(VARNOK_RC_FILE "${file_name}")
  set(VARNOK_RC_DESCRIPTION "${description}")
  get_filename_component(VARNOK_RC_INTERNAL "${file_name}" NAME_WE)
  set(rc "${CMAKE_BINARY_DIR}/version/${target}_version.rc")
  set(VARNOK_RC_MANIFEST "${CMAKE_BINARY_DIR}/version/${target}.manifest")
  configure_file("${PROJECT_SOURCE_DIR}/resources/manifest.xml.in" "${VARNOK_RC_MANIFEST}" @ONLY)
  configure_file("${PROJECT_SOURCE_DIR}/resources/version.rc.in" "${rc}" @ONLY)
  # windres does not see that the .rc includes the manifest.
  set_source_files_properties("${rc}" PROPERTIES OBJECT_DEPENDS "${VARNOK_RC_MANIFEST}")
  target_sources(${target} PRIVATE "${rc}")
endfunction()
