# The main window, assignment editing and the profile controls.
add_library(rz_ui STATIC
  ${CMAKE_CURRENT_LIST_DIR}/main_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/assignment.cpp
  ${CMAKE_CURRENT_LIST_DIR}/profile_controls.cpp
)
target_link_libraries(rz_ui PUBLIC rz_engine rz_profiles rz_localisation
                                    rz_platform)
if(TARGET rz_ui_pictures)
  target_link_libraries(rz_ui PUBLIC rz_ui_pictures)
endif()
