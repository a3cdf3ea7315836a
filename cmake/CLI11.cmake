# CLI11 (Debian: libcli11-dev), the command-line parser of the tools. It is header-only: its
# headers are copied into the build tree and used from there, so that the Windows cross build,
# which must not search the host's /usr/include, finds them as well.
find_path(SORELL_CLI11_INCLUDE_DIR CLI/CLI.hpp NO_CMAKE_FIND_ROOT_PATH
          DOC "the folder that holds CLI/CLI.hpp")
if(NOT SORELL_CLI11_INCLUDE_DIR)
  message(FATAL_ERROR "CLI11 is missing: run scripts/setup (Debian package libcli11-dev)")
endif()
set(_cli11_copy ${PROJECT_BINARY_DIR}/cli11)
file(COPY ${SORELL_CLI11_INCLUDE_DIR}/CLI DESTINATION ${_cli11_copy})
add_library(sorell_cli11 INTERFACE)
target_include_directories(sorell_cli11 SYSTEM INTERFACE ${_cli11_copy})
