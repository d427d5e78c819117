# Installing: the game folder as it is built, in one private folder, a link to
# the program on the PATH, and the files that put the game on the desktop.
# The program finds its folder through its real path, so the link is enough.
set(FIFTEEN_INSTALL_GAME_DIR ${CMAKE_INSTALL_LIBDIR}/fifteen)

install(TARGETS fifteen RUNTIME DESTINATION ${FIFTEEN_INSTALL_GAME_DIR})
# The sibling program keeps its exact size: it is never stripped again.
install(PROGRAMS ${FIFTEEN_GAME_DIR}/ZUROZO.EXE DESTINATION ${FIFTEEN_INSTALL_GAME_DIR})
install(FILES ${FIFTEEN_DATA_PATHS} ${FIFTEEN_GAME_DIR}/fifteen.html DESTINATION ${FIFTEEN_INSTALL_GAME_DIR})

# bin/fifteen -> ../lib/fifteen/fifteen, relative so that the tree can move.
file(RELATIVE_PATH fifteen_link_target /root/${CMAKE_INSTALL_BINDIR} /root/${FIFTEEN_INSTALL_GAME_DIR}/fifteen)
if(IS_ABSOLUTE ${FIFTEEN_INSTALL_GAME_DIR})
  set(fifteen_link_target ${FIFTEEN_INSTALL_GAME_DIR}/fifteen)
endif()
install(CODE "
  set(bin \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  if(IS_ABSOLUTE \"${CMAKE_INSTALL_BINDIR}\")
    set(bin \"${CMAKE_INSTALL_BINDIR}\")
  endif()
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${bin}\")
  message(STATUS \"Installing: \$ENV{DESTDIR}\${bin}/fifteen\")
  file(CREATE_LINK \"${fifteen_link_target}\" \"\$ENV{DESTDIR}\${bin}/fifteen\" SYMBOLIC)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\$ENV{DESTDIR}\${bin}/fifteen\")
")

# The menu entry starts the program by its full installed path, so that it
# works whether or not the prefix's bin folder is on the session's PATH.
install(CODE "
  set(bin \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  if(IS_ABSOLUTE \"${CMAKE_INSTALL_BINDIR}\")
    set(bin \"${CMAKE_INSTALL_BINDIR}\")
  endif()
  set(entry \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/${FIFTEEN_ID}.desktop\")
  file(READ \"${PROJECT_SOURCE_DIR}/data/${FIFTEEN_ID}.desktop\" text)
  string(REPLACE \"Exec=fifteen\" \"Exec=\${bin}/fifteen\" text \"\${text}\")
  message(STATUS \"Installing: \$ENV{DESTDIR}\${entry}\")
  file(WRITE \"\$ENV{DESTDIR}\${entry}\" \"\${text}\")
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\$ENV{DESTDIR}\${entry}\")
")
install(FILES ${PROJECT_BINARY_DIR}/data/${FIFTEEN_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 32 48 64 128 256)
  install(FILES ${FIFTEEN_ICON_DIR}/icon-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${FIFTEEN_ID}.png)
endforeach()
install(FILES ${PROJECT_BINARY_DIR}/data/fifteen.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES LICENSE README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/fifteen)
