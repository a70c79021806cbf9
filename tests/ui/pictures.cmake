# The pictures: image operations, icon files and sets, section headers,
# the embedded artwork and the live view, on a small Gui double.
rz_add_test(rz_ui_pictures_test
  SOURCES image_test.cpp icons_test.cpp section_header_test.cpp
          artwork_test.cpp live_view_test.cpp
  LIBS rz_ui_pictures PNG::PNG
  LABELS unit)
