# What a release of Orbitarium.scr carries beyond its code: version information from the project's
# version, the application manifest, and the archive users download. Included by resources/ (Windows
# builds only); Orbitarium itself is declared later, in src/saver/win32.
set(release_info_dir ${CMAKE_CURRENT_BINARY_DIR}/release_info)
configure_file(${PROJECT_SOURCE_DIR}/resources/orbitarium_version.h.in ${release_info_dir}/orbitarium_version.h @ONLY)
# windres looks for the files a script names on its include path, not beside the script.
configure_file(${PROJECT_SOURCE_DIR}/resources/orbitarium.manifest ${release_info_dir}/orbitarium.manifest COPYONLY)

# The version header, for the resource script and for the tests that read the version back.
add_library(orb_version INTERFACE)
target_include_directories(orb_version INTERFACE ${release_info_dir})
target_link_libraries(orb_resources PRIVATE orb_version)

# windres writes no dependency file: the script changes with these too.
set_property(SOURCE orbitarium.rc APPEND PROPERTY OBJECT_DEPENDS
             ${PROJECT_SOURCE_DIR}/resources/release_info.rc ${release_info_dir}/orbitarium_version.h
             ${release_info_dir}/orbitarium.manifest)

# `release_zip`: Orbitarium-<version>-win64.zip (or -win32) beside the .scr, holding it and the README.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(release_platform win64)
else()
  set(release_platform win32)
endif()
set(release_archive ${PROJECT_BINARY_DIR}/Orbitarium-${PROJECT_VERSION}-${release_platform}.zip)
set(release_stage ${PROJECT_BINARY_DIR}/release_zip)
add_custom_command(
  OUTPUT ${release_archive}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${release_stage}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${release_stage}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Orbitarium> ${PROJECT_SOURCE_DIR}/README.md ${release_stage}
  # Fixed dates, so that the same files give the same archive.
  COMMAND ${CMAKE_COMMAND} -E chdir ${release_stage}
          ${CMAKE_COMMAND} -E tar cf ${release_archive} --format=zip "--mtime=2000-01-01 00:00:00 UTC"
          $<TARGET_FILE_NAME:Orbitarium> README.md
  DEPENDS Orbitarium ${PROJECT_SOURCE_DIR}/README.md
  COMMENT "Packing ${release_archive}"
  VERBATIM)
add_custom_target(release_zip DEPENDS ${release_archive})
