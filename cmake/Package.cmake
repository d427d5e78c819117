# `make package`: a .deb with the installed layout under /usr, and a .tar.gz
# of the portable game folder.
set(CPACK_PACKAGE_NAME fifteen)
set(CPACK_PACKAGE_VENDOR "The Fifteen developers")
set(CPACK_PACKAGE_CONTACT "${FIFTEEN_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sliding puzzle of fifteen tiles on a four-by-four board")
# The description's lines as they stand in the package, none over 80 columns.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Fifteen numbered tiles and one gap on a four-by-four board: slide the tiles"
  "back into order, 1 to 15 with the gap last, in as few moves as you can."
  "Every deal can be solved. The ten best games are kept with the winners'"
  "names, each player's in a table of their own, and the game plays its"
  "sounds through the desktop's sound server."
  "The game can be played with the mouse or from the keyboard.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
# Installed into /usr as the package's own root, so that every path the
# install writes into a file (the menu entry, the manual page) is the path
# the package installs.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The game program is stripped (install(TARGETS) only); the sibling program
# is installed as a plain file and keeps its size.
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_LICENSE MIT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the libraries do not tell: the window system plugin and the font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
# Wayland without X through Qt's own plugin, which brings Qt Quick along:
# recommended, so that an X-only desktop need not carry it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
if(FIFTEEN_SITE)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${FIFTEEN_SITE})
endif()
include(CPack)

# The portable game folder: what `make run` starts, the program stripped and
# no table, so that the first start creates one.
set(FIFTEEN_PORTABLE ${CMAKE_BINARY_DIR}/fifteen-${PROJECT_VERSION}-portable.tar.gz)
add_custom_target(portable
  COMMAND ${CMAKE_COMMAND} -DGAME=${FIFTEEN_GAME_DIR} "-DFILES=${FIFTEEN_GAME_FILES}" -DOUT=${FIFTEEN_PORTABLE}
          -DSTRIP=${CMAKE_STRIP} -DLICENSE=${PROJECT_SOURCE_DIR}/LICENSE -P ${PROJECT_SOURCE_DIR}/cmake/portable.cmake
  DEPENDS fifteen fifteen_data zurozo
  COMMENT "Packing the portable game folder"
  VERBATIM)
