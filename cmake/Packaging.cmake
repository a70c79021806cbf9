# The portable package: `cpack -G TGZ` in the build folder packs the
# installed program folder (its layout is described in data/CMakeLists.txt)
# as riruziruzo-<version>-linux-x86_64.tar.gz, with that folder as its only
# top-level entry. It runs where it is unpacked, so nothing in it may point
# back into the build tree.

if(TARGET riruziruzo)
  # Installing rewrites the run path to the empty install run path, so the
  # packed program finds its libraries where the system keeps them.
  install(TARGETS riruziruzo RUNTIME DESTINATION . COMPONENT program)
endif()

set(CPACK_PACKAGE_NAME riruziruzo)
set(CPACK_PACKAGE_VENDOR RiruziruZo)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Drive the mouse and keyboard with a game controller")
string(TOLOWER "${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR}" rz_package_system)
set(CPACK_PACKAGE_FILE_NAME
    "${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-${rz_package_system}")
set(CPACK_GENERATOR TGZ)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_VERBATIM_VARIABLES ON)

# Only the program and its data: whatever tests or tools may install one
# day stays out. All of it goes into the one archive, under one folder.
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL program data)
set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)

include(CPack)
