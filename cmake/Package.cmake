# The Debian package: cmake --build BUILD --target package writes
# corvane_VERSION_ARCH.deb with the program, its menu entry and icons, its
# metainfo, its manual page and its copyright file, as installed under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${CORVANE_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "double-deck patience for a pen handheld, played with the mouse")
# CPack puts the summary before it as the first line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Corvane is a patience with two full decks, made for a 240 x 320 pen
handheld and shown in a window on the desktop, scaled by a whole factor so
that every pixel stays sharp. Ten columns are dealt face up and built down
in alternating colours; eight foundations are built up in suit from the Ace
to the King. A click is a tap of the stylus; cards are never dragged.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${CORVANE_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Debian's own permissions (0755 folders, 0644 files) and stripped programs,
# whatever the build tree's umask.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_STRIP_FILES ON)
include(CPack)
