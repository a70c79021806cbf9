# Pictures: the RGBA image, icon sets, section headers, the embedded artwork
# and the live view. The artwork under data/art is compiled in as byte
# arrays; tools/artgen makes it and is not run by the build.

# The image type and the icon-file codec on their own, for the artwork
# generator, which must not depend on the artwork it makes.
add_library(rz_ui_icon_files STATIC image.cpp icons.cpp)
target_link_libraries(rz_ui_icon_files PUBLIC rz_platform PRIVATE ZLIB::ZLIB)

file(GLOB rz_art_files CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/data/art/*.png
  ${PROJECT_SOURCE_DIR}/data/art/*.icoz)
set(rz_art_source ${CMAKE_CURRENT_BINARY_DIR}/embedded_art_data.cpp)
add_custom_command(
  OUTPUT ${rz_art_source}
  COMMAND ${CMAKE_COMMAND} -DOUTPUT=${rz_art_source} "-DINPUTS=${rz_art_files}"
          -P ${CMAKE_CURRENT_SOURCE_DIR}/embedded/embed_files.cmake
  DEPENDS ${rz_art_files} ${CMAKE_CURRENT_SOURCE_DIR}/embedded/embed_files.cmake
  COMMENT "Embedding the artwork of data/art"
  VERBATIM)

add_library(rz_ui_pictures STATIC
  artwork.cpp
  live_view.cpp
  section_header.cpp
  embedded/embedded_art.cpp
  ${rz_art_source}
)
target_link_libraries(rz_ui_pictures
  PUBLIC rz_ui_icon_files rz_engine rz_platform
  PRIVATE PNG::PNG ZLIB::ZLIB)
# Plain C++: nothing for Qt's meta-object compiler.
set_target_properties(rz_ui_icon_files rz_ui_pictures PROPERTIES AUTOMOC OFF)
