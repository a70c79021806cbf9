# Installs the data part of the program folder into a scratch prefix (a folder
# name with a blank and a "$", as users may choose) and checks that:
#   - every file the program and its scripts look for is where they look;
#   - install-udev-rule.sh finds its rule there and in the source tree;
#   - install-desktop-entry.sh writes a valid entry that starts the program in
#     that folder, installs the icons, and removes it all again.
#
#   cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DWORK_DIR=... -DBASH=...
#         [-DDESKTOP_FILE_VALIDATE=...] -P check-installed-folder.cmake
cmake_policy(VERSION 3.25)

function(fail text)
  message(FATAL_ERROR "${text}")
endfunction()

# Fails unless `text` holds `part` literally (paths here hold "$" and ".").
function(expect_in text part why)
  string(FIND "${text}" "${part}" at)
  if(at EQUAL -1)
    fail("${why}:\n${text}")
  endif()
endfunction()

# Runs a command; fails with its output unless it succeeds. The output goes
# to the variable named by OUTPUT.
function(run)
  cmake_parse_arguments(ARG "" "OUTPUT" "COMMAND" ${ARGN})
  execute_process(COMMAND ${ARG_COMMAND}
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    string(REPLACE ";" " " command_line "${ARG_COMMAND}")
    fail("Failed (${result}): ${command_line}\n${out}${err}")
  endif()
  if(ARG_OUTPUT)
    set(${ARG_OUTPUT} "${out}${err}" PARENT_SCOPE)
  endif()
endfunction()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
file(REAL_PATH "${WORK_DIR}" work)
set(prefix "${work}/Riru zo $HOME")
set(data_home "${work}/xdg-data")

run(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}" --component data)

# --- Layout ---------------------------------------------------------------
foreach(path
    Configuration
    Rod-Idevora/Francais.txt Rod-Idevora/English.txt
    Rod-Idevora/Deutsch.txt Rod-Idevora/Espanol.txt
    Licence/Licence.htm
    Guide/index.html
    LICENSE
    60-riruziruzo-uinput.rules
    riruziruzo.desktop
    io.github.riruziruzo.metainfo.xml
    install-udev-rule.sh
    install-desktop-entry.sh)
  if(NOT EXISTS "${prefix}/${path}")
    fail("The installed program folder lacks ${path}")
  endif()
endforeach()
if(NOT IS_DIRECTORY "${prefix}/Configuration")
  fail("Configuration in the installed program folder is not a folder")
endif()
foreach(script install-udev-rule.sh install-desktop-entry.sh)
  execute_process(COMMAND test -x "${prefix}/${script}" RESULT_VARIABLE not_executable)
  if(not_executable)
    fail("${script} is installed without execute permission")
  endif()
endforeach()

# Every file the guide refers to must be installed beside it.
file(READ "${prefix}/Guide/index.html" guide)
string(REGEX MATCHALL "(href|src)=\"[^\"#:]+\"" references "${guide}")
foreach(reference IN LISTS references)
  string(REGEX REPLACE "^(href|src)=\"([^\"]+)\"$" "\\2" file "${reference}")
  if(NOT EXISTS "${prefix}/Guide/${file}")
    fail("The guide refers to ${file}, which is not installed beside it")
  endif()
endforeach()

# --- install-udev-rule.sh ------------------------------------------------
run(COMMAND "${BASH}" "${prefix}/install-udev-rule.sh" --dry-run OUTPUT out)
expect_in("${out}" "Installing the udev rule ${prefix}/60-riruziruzo-uinput.rules"
          "install-udev-rule.sh in the program folder does not use the rule beside it")
expect_in("${out}" "/etc/udev/rules.d/60-riruziruzo-uinput.rules"
          "install-udev-rule.sh does not install the rule into /etc/udev/rules.d")
expect_in("${out}" "/etc/modules-load.d/riruziruzo-uinput.conf"
          "install-udev-rule.sh does not make uinput load at boot")
expect_in("${out}" "Nothing was changed"
          "install-udev-rule.sh --dry-run does not say that it changed nothing")
run(COMMAND "${BASH}" "${SOURCE_DIR}/scripts/install-udev-rule.sh" --dry-run OUTPUT out)
expect_in("${out}" "data/udev/60-riruziruzo-uinput.rules"
          "install-udev-rule.sh in the source tree does not find data/udev/")

# --- install-desktop-entry.sh --------------------------------------------
# Without the program beside it, the script refuses and says why.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env "XDG_DATA_HOME=${data_home}"
          "${BASH}" "${prefix}/install-desktop-entry.sh"
  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(result EQUAL 0 OR NOT err MATCHES "was not found")
  fail("install-desktop-entry.sh without the program: result ${result}\n${out}${err}")
endif()

file(WRITE "${work}/riruziruzo" "#!/bin/sh\nexit 0\n")
file(COPY "${work}/riruziruzo" DESTINATION "${prefix}"
     FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
run(COMMAND ${CMAKE_COMMAND} -E env "XDG_DATA_HOME=${data_home}"
            "${BASH}" "${prefix}/install-desktop-entry.sh" OUTPUT out)

set(entry "${data_home}/applications/riruziruzo.desktop")
if(NOT EXISTS "${entry}")
  fail("install-desktop-entry.sh did not write ${entry}:\n${out}")
endif()
if(DESKTOP_FILE_VALIDATE)
  run(COMMAND "${DESKTOP_FILE_VALIDATE}" "${entry}")
endif()

# The value as the desktop entry format wants it: Exec quotes the path and
# escapes \ " ` $ inside the quotes, then every value doubles its backslashes.
set(exec_path "${prefix}/riruziruzo")
string(REPLACE "\\" "\\\\" exec_path "${exec_path}")
string(REPLACE "\"" "\\\"" exec_path "${exec_path}")
string(REPLACE "`" "\\`" exec_path "${exec_path}")
string(REPLACE "$" "\\$" exec_path "${exec_path}")
string(REPLACE "\\" "\\\\" exec_path "${exec_path}")
string(REPLACE "\\" "\\\\" path_value "${prefix}")
file(STRINGS "${entry}" exec_lines REGEX "^Exec=")
file(STRINGS "${entry}" path_lines REGEX "^Path=")
if(NOT exec_lines STREQUAL "Exec=\"${exec_path}\"")
  fail("Exec of the installed entry is\n  ${exec_lines}\nexpected\n  Exec=\"${exec_path}\"")
endif()
if(NOT path_lines STREQUAL "Path=${path_value}")
  fail("Path of the installed entry is\n  ${path_lines}\nexpected\n  Path=${path_value}")
endif()
if(NOT EXISTS "${data_home}/metainfo/io.github.riruziruzo.metainfo.xml")
  fail("install-desktop-entry.sh did not install the metainfo file")
endif()

file(GLOB_RECURSE shipped_icons RELATIVE "${prefix}/icons/hicolor" "${prefix}/icons/hicolor/*")
foreach(icon IN LISTS shipped_icons)
  # Size folders named "48" are installed as "48x48", as the icon theme names them.
  string(REGEX REPLACE "^([0-9]+)/" "\\1x\\1/" installed_icon "${icon}")
  if(NOT EXISTS "${data_home}/icons/hicolor/${installed_icon}")
    fail("install-desktop-entry.sh did not install the icon ${icon}")
  endif()
endforeach()

run(COMMAND ${CMAKE_COMMAND} -E env "XDG_DATA_HOME=${data_home}"
            "${BASH}" "${prefix}/install-desktop-entry.sh" --remove)
file(GLOB_RECURSE left_over "${data_home}/*riruziruzo*")
if(left_over)
  fail("install-desktop-entry.sh --remove left ${left_over}")
endif()

file(REMOVE_RECURSE "${WORK_DIR}")
message(STATUS "The installed program folder is complete and its scripts work from it")
