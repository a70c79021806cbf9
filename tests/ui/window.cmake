# The main window, assignment editing and profile controls on the fake Gui,
# and the fake Gui itself.
rz_add_test(rz_ui_window_test
  SOURCES main_window_test.cpp assignment_test.cpp profile_controls_test.cpp
  LIBS rz_ui rz_platform_fake
  LABELS unit)
rz_add_test(rz_fake_gui_test
  SOURCES fake_gui_test.cpp
  LIBS rz_platform_fake
  LABELS unit)
