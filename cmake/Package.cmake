# `make package`: a .deb with the installed layout under /usr, and a .tar.gz
# of the portable game folder.
set(CPACK_PACKAGE_NAME fifteen)
set(CPACK_PACKAGE_VENDOR "The Fifteen developers")
set(CPACK_PACKAGE_CONTACT "The Fifteen developers <fifteen@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sliding puzzle of fifteen tiles on a four-by-four board")
set(CPACK_PACKAGE_DESCRIPTION
    "Slide fifteen numbered tiles back into order in as few moves as you can. The ten best games are kept with the winners' names.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
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
  COMMAND ${CMAKE_COMMAND} -DGAME=${FIFTEEN_GAME_DIR} -DOUT=${FIFTEEN_PORTABLE}
          -DSTRIP=${CMAKE_STRIP} -DLICENSE=${PROJECT_SOURCE_DIR}/LICENSE -P ${PROJECT_SOURCE_DIR}/cmake/portable.cmake
  DEPENDS fifteen fifteen_data zurozo
  COMMENT "Packing the portable game folder"
  VERBATIM)
