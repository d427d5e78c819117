# Facts the code keeps in its Qt-free headers, read here for CMake's own
# steps, so that each stays written once: the palette and the font (for the
# home page's style), the icon sizes (for the install), the application id
# (for the desktop files), the data files' names (for the generator, the
# install and the portable archive) and the sibling program's size (for its
# padding). A change to any of the headers configures the build again.
set(look_header ${PROJECT_SOURCE_DIR}/src/core/look.h)
set(files_header ${PROJECT_SOURCE_DIR}/src/core/data_files.h)
set(identity_header ${PROJECT_SOURCE_DIR}/src/core/identity.h)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${look_header} ${files_header} ${identity_header})

# The value of `inline constexpr ... NAME = "VALUE";` (or a number) in HEADER.
function(fifteen_header_value header name out)
  file(STRINGS ${header} line REGEX " ${name} = ")
  # file(STRINGS) hands the line's ";" over as "\;": the value ends before either.
  if(NOT line MATCHES " ${name} = \"?([^\";\\]+)")
    message(FATAL_ERROR "${header}: no ${name} CMake can read")
  endif()
  set(${out} ${CMAKE_MATCH_1} PARENT_SCOPE)
endfunction()

fifteen_header_value(${identity_header} kApplicationId FIFTEEN_ID)
fifteen_header_value(${files_header} kSiblingProgramSize FIFTEEN_SIBLING_SIZE)
fifteen_header_value(${files_header} kSiblingProgram FIFTEEN_SIBLING_PROGRAM)
fifteen_header_value(${files_header} kHighscoreFile FIFTEEN_HIGHSCORE_FILE)
fifteen_header_value(${files_header} kHomePage FIFTEEN_HOME_PAGE)
# The data files the generator makes: the rows of the data-file table that
# name their file as written ({"000.JPG", ...}); the table and the sibling
# program are named by their constants.
file(STRINGS ${files_header} data_file_lines REGEX "^    \\{\"[^\"]+\", DataFile::Rule::")
set(FIFTEEN_DATA_FILES)
foreach(line IN LISTS data_file_lines)
  string(REGEX MATCH "\"([^\"]+)\"" name "${line}")
  list(APPEND FIFTEEN_DATA_FILES ${CMAKE_MATCH_1})
endforeach()
# Everything shipped in the game folder, as the install and the portable
# archive take it: the program, the sibling program, the home page, the data.
set(FIFTEEN_GAME_FILES fifteen ${FIFTEEN_SIBLING_PROGRAM} ${FIFTEEN_HOME_PAGE} ${FIFTEEN_DATA_FILES})

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
