# Installing: the game folder as it is built, in one private folder, a link to
# the program on the PATH, and the files that put the game on the desktop.
# The program finds its folder through its real path, so the link is enough.
set(FIFTEEN_INSTALL_GAME_DIR ${CMAKE_INSTALL_LIBDIR}/fifteen)

# The game folder's files as the game lists them (FIFTEEN_GAME_FILES): the
# program, then the sibling program, which keeps its exact size: it is never
# stripped again; then the home page and the data files.
set(game_files ${FIFTEEN_GAME_FILES})
list(POP_FRONT game_files program sibling)
install(TARGETS ${program} RUNTIME DESTINATION ${FIFTEEN_INSTALL_GAME_DIR})
install(PROGRAMS ${FIFTEEN_GAME_DIR}/${sibling} DESTINATION ${FIFTEEN_INSTALL_GAME_DIR})
list(TRANSFORM game_files PREPEND ${FIFTEEN_GAME_DIR}/)
install(FILES ${game_files} DESTINATION ${FIFTEEN_INSTALL_GAME_DIR})

# Where the program is reached and where the game folder lies, as the install
# itself sees its prefix: a system package (prefix /usr) puts its games in
# /usr/games, as Debian's policy asks; any other prefix, ~/.local among them,
# uses its bin folder. Every step below that names a path takes it from here.
install(CODE "
  set(fifteen_bin \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  if(IS_ABSOLUTE \"${CMAKE_INSTALL_BINDIR}\")
    set(fifteen_bin \"${CMAKE_INSTALL_BINDIR}\")
  elseif(\"\${CMAKE_INSTALL_PREFIX}\" STREQUAL \"/usr\")
    set(fifteen_bin /usr/games)
  endif()
  set(fifteen_game \"\${CMAKE_INSTALL_PREFIX}/${FIFTEEN_INSTALL_GAME_DIR}\")
  if(IS_ABSOLUTE \"${FIFTEEN_INSTALL_GAME_DIR}\")
    set(fifteen_game \"${FIFTEEN_INSTALL_GAME_DIR}\")
  endif()
  # Writes TEXT to the installed file PATH, gzipped for a manual page or a
  # changelog (-9n: the same bytes at every build), and lists it for uninstall.
  function(fifteen_install_text path text gzipped)
    set(out \"\$ENV{DESTDIR}\${path}\")
    message(STATUS \"Installing: \${out}\")
    get_filename_component(folder \"\${out}\" DIRECTORY)
    file(MAKE_DIRECTORY \"\${folder}\")
    if(gzipped)
      string(REGEX REPLACE \"[.]gz$\" \"\" plain \"\${out}\")
      file(WRITE \"\${plain}\" \"\${text}\")
      execute_process(COMMAND gzip -9nf \"\${plain}\" RESULT_VARIABLE failed)
      if(failed)
        message(FATAL_ERROR \"gzip failed for \${plain}\")
      endif()
    else()
      file(WRITE \"\${out}\" \"\${text}\")
    endif()
    set(CMAKE_INSTALL_MANIFEST_FILES \${CMAKE_INSTALL_MANIFEST_FILES} \"\${out}\" PARENT_SCOPE)
  endfunction()
")

# The link to the program, relative so that the tree can move.
install(CODE "
  file(RELATIVE_PATH target \"\${fifteen_bin}\" \"\${fifteen_game}/fifteen\")
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${fifteen_bin}\")
  message(STATUS \"Installing: \$ENV{DESTDIR}\${fifteen_bin}/fifteen\")
  file(CREATE_LINK \"\${target}\" \"\$ENV{DESTDIR}\${fifteen_bin}/fifteen\" SYMBOLIC)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\$ENV{DESTDIR}\${fifteen_bin}/fifteen\")
")

# The menu entry starts the program by its full installed path, so that it
# works whether or not that folder is on the session's PATH.
install(CODE "
  file(READ \"${PROJECT_BINARY_DIR}/data/${FIFTEEN_ID}.desktop\" text)
  string(REPLACE \"Exec=fifteen\" \"Exec=\${fifteen_bin}/fifteen\" text \"\${text}\")
  fifteen_install_text(\"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/${FIFTEEN_ID}.desktop\"
                       \"\${text}\" OFF)
")
install(FILES ${PROJECT_BINARY_DIR}/data/${FIFTEEN_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size IN LISTS FIFTEEN_ICON_SIZES)
  install(FILES ${FIFTEEN_DESIGN_DIR}/icon-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${FIFTEEN_ID}.png)
endforeach()
# The manual page names the game folder of this install, whatever its prefix.
install(CODE "
  file(READ \"${PROJECT_SOURCE_DIR}/data/fifteen.6.in\" text)
  set(PROJECT_VERSION ${PROJECT_VERSION})
  set(FIFTEEN_GAME_PATH \"\${fifteen_game}\")
  string(CONFIGURE \"\${text}\" text @ONLY)
  fifteen_install_text(\"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_MANDIR}/man6/fifteen.6.gz\" \"\${text}\" ON)
  file(READ \"${PROJECT_BINARY_DIR}/data/changelog\" text)
  fifteen_install_text(\"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/doc/fifteen/changelog.gz\" \"\${text}\" ON)
")
# The licence is in the copyright file.
install(FILES ${PROJECT_BINARY_DIR}/data/copyright README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/fifteen)
