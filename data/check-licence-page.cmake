# Checks that the licence page shown in the program says word for word what
# the licence file at the root of the sources says:
#   cmake -DTEXT=<LICENSE> -DPAGE=<Licence.htm> -P check-licence-page.cmake
cmake_policy(VERSION 3.25)

file(READ "${TEXT}" text)
file(READ "${PAGE}" page)
if(NOT page MATCHES "<meta charset=\"utf-8\"")
  message(FATAL_ERROR "${PAGE} does not declare its encoding (<meta charset=\"utf-8\">)")
endif()
if(NOT page MATCHES "<title>[^<]+</title>")
  message(FATAL_ERROR "${PAGE} has no title")
endif()

# Only the body is compared: tags become blanks, runs of blanks one blank.
string(FIND "${page}" "<body>" body_start)
if(body_start EQUAL -1)
  message(FATAL_ERROR "${PAGE} has no <body>")
endif()
string(SUBSTRING "${page}" ${body_start} -1 page)
string(REGEX REPLACE "<[^>]*>" " " page "${page}")
string(REPLACE "&quot;" "\"" page "${page}")
string(REPLACE "&lt;" "<" page "${page}")
string(REPLACE "&gt;" ">" page "${page}")
string(REPLACE "&amp;" "&" page "${page}")
foreach(var text page)
  string(REGEX REPLACE "[ \t\r\n]+" " " ${var} "${${var}}")
  string(STRIP "${${var}}" ${var})
endforeach()

if(NOT page STREQUAL text)
  message(FATAL_ERROR "The licence page differs from the licence file.\n"
                      "File: ${text}\nPage: ${page}")
endif()
message(STATUS "The licence page matches the licence file")
