# Where an installed Corvane puts its files, the Debian way: programs in
# games/ under the prefix (/usr/games), manual pages in section 6, gzipped.
# Every program installed with the game uses CORVANE_INSTALL_GAMESDIR and
# corvane_install_man().
include(GNUInstallDirs)

set(CORVANE_INSTALL_GAMESDIR "games" CACHE STRING
    "Folder under the install prefix for the game's programs (Debian: games, for /usr/games)")

# The desktop's name for the game: desktop entry, metainfo and icons. The
# project owns no domain, so the name sits under .invalid, which can never be
# registered: it claims no one else's name.
set(CORVANE_APP_ID "invalid.corvane.Corvane")

# corvane_install_man(PAGE): installs the roff page PAGE (a path ending in
# .N, relative to the current source folder) gzipped into section N.
function(corvane_install_man page)
  get_filename_component(name ${page} NAME)
  string(REGEX MATCH "[0-9]$" section ${name})
  if(NOT section)
    message(FATAL_ERROR "corvane_install_man: ${page} does not end in a section number")
  endif()
  set(packed ${CMAKE_CURRENT_BINARY_DIR}/${name}.gz)
  # -n leaves the name and time out, so the same page gives the same bytes.
  add_custom_command(OUTPUT ${packed}
    COMMAND gzip -9nc ${CMAKE_CURRENT_SOURCE_DIR}/${page} > ${packed}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${page}
    COMMENT "Packing the manual page ${name}")
  add_custom_target(man_${name} ALL DEPENDS ${packed})
  install(FILES ${packed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endfunction()

# Where players and packagers find the project. It has no home of its own
# yet: set these when it does (the package, the metainfo and the screenshot
# addresses follow).
set(CORVANE_HOMEPAGE "https://corvane.invalid/" CACHE STRING "The project's home page, ending in /")
set(CORVANE_SCREENSHOT_URL "${CORVANE_HOMEPAGE}docs/" CACHE STRING
    "Where the pictures in docs/ are served, ending in /")
set(CORVANE_MAINTAINER "Corvane maintainers <maintainers@corvane.invalid>" CACHE STRING
    "The package's maintainer, as Name <address>")
