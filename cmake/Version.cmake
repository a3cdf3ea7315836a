# The version is written once, in project(VERSION); everything that shows it is generated from
# it. Targets that print it link sorell_version and include "sorell_version.h".
set(SORELL_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${SORELL_GENERATED_DIR}/sorell_version.h
               @ONLY)
add_library(sorell_version INTERFACE)
target_include_directories(sorell_version INTERFACE ${SORELL_GENERATED_DIR})

# The release of this version, for the AppStream metainfo (fixed, so builds are reproducible).
set(SORELL_RELEASE_DATE 2026-12-09)
# The AppStream component id: the metainfo file is <id>.metainfo.xml.
set(SORELL_APPSTREAM_ID jp.pellham.sorell)
