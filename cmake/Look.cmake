# Facts the code keeps in its Qt-free headers, read here for CMake's own
# steps, so that each stays written once: the palette and the font (for the
# home page's style), the icon sizes (for the install) and the sibling program's size
# (for its padding). A change to either header configures the build again.
set(look_header ${PROJECT_SOURCE_DIR}/src/core/look.h)
set(files_header ${PROJECT_SOURCE_DIR}/src/core/data_files.h)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${look_header} ${files_header})

# Two lower-case hex digits of 0..255.
function(fifteen_hex_byte value out)
  set(digits 0123456789abcdef)
  math(EXPR high "${value} / 16")
  math(EXPR low "${value} % 16")
  string(SUBSTRING ${digits} ${high} 1 h)
  string(SUBSTRING ${digits} ${low} 1 l)
  set(${out} "${h}${l}" PARENT_SCOPE)
endfunction()

# FIFTEEN_COLOUR_GOLD and so on: "#e4bc1c" for `Rgb kGold{228, 188, 28}`.
file(STRINGS ${look_header} colour_lines REGEX "^inline constexpr Rgb k[A-Za-z]+\\{")
foreach(line IN LISTS colour_lines)
  if(NOT line MATCHES "Rgb k([A-Za-z]+)\\{([0-9]+), ([0-9]+), ([0-9]+)\\}")
    message(FATAL_ERROR "look.h: a colour CMake cannot read: ${line}")
  endif()
  string(TOUPPER ${CMAKE_MATCH_1} name)
  fifteen_hex_byte(${CMAKE_MATCH_2} r)
  fifteen_hex_byte(${CMAKE_MATCH_3} g)
  fifteen_hex_byte(${CMAKE_MATCH_4} b)
  set(FIFTEEN_COLOUR_${name} "#${r}${g}${b}")
endforeach()

file(STRINGS ${look_header} font_line REGEX "kFontFamily = ")
if(NOT font_line MATCHES "kFontFamily = \"([^\"]+)\"")
  message(FATAL_ERROR "look.h: no font family CMake can read")
endif()
set(FIFTEEN_FONT_FAMILY ${CMAKE_MATCH_1})

file(STRINGS ${look_header} icon_line REGEX "kIconSizes\\{")
if(NOT icon_line MATCHES "kIconSizes\\{([0-9, ]+)\\}")
  message(FATAL_ERROR "look.h: no icon sizes CMake can read")
endif()
string(REPLACE ", " ";" FIFTEEN_ICON_SIZES "${CMAKE_MATCH_1}")

file(STRINGS ${files_header} sibling_line REGEX "kSiblingProgramSize = ")
if(NOT sibling_line MATCHES "kSiblingProgramSize = ([0-9]+)")
  message(FATAL_ERROR "data_files.h: no sibling program size CMake can read")
endif()
set(FIFTEEN_SIBLING_SIZE ${CMAKE_MATCH_1})
