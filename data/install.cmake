# Installs the Debian way: the command in games, a launcher for the program
# kept under lib/games, its default ramp and icons under share, a section-6
# manual page, a menu entry and AppStream metadata; CPack makes the .deb.
include(GNUInstallDirs)
set(VELLMOOR_INSTALL_GAMESDIR games CACHE PATH "Where the command goes, under the prefix (Debian: games)")
set(VELLMOOR_INSTALL_PROGRAMDIR lib/games/vellmoor CACHE PATH
  "Where the program the command starts goes, under the prefix (Debian: lib/games/vellmoor)")
set(VELLMOOR_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/vellmoor)

# The menu entry starts the viewer where the default colours.txt lies. It and
# the AppStream metadata carry the component id, reverse DNS of the project's
# domain, in lower case.
set(VELLMOOR_APP_ID invalid.vellmoor.vellmoor)
set(VELLMOOR_BIN_PATH ${CMAKE_INSTALL_PREFIX}/${VELLMOOR_INSTALL_GAMESDIR}/vellmoor)
set(VELLMOOR_DATA_PATH ${CMAKE_INSTALL_PREFIX}/${VELLMOOR_INSTALL_DATADIR})
configure_file(data/desktop.in ${VELLMOOR_APP_ID}.desktop @ONLY)

# One AppStream release per changelog entry, newest first, as the changelog
# lists them: "vellmoor (VERSION) ..." and its " -- NAME  Day, DD Mon YYYY ...".
file(STRINGS data/changelog entries REGEX "^(vellmoor \\(| -- )")
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
set(VELLMOOR_RELEASES "")
foreach(line IN LISTS entries)
  if(line MATCHES "^vellmoor \\(([^)]+)\\)")
    set(version ${CMAKE_MATCH_1})
  elseif(line MATCHES ", ([0-9][0-9]?) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    set(day 0${CMAKE_MATCH_1})
    set(year ${CMAKE_MATCH_3})
    list(FIND months ${CMAKE_MATCH_2} month)
    math(EXPR month "${month} + 101")  # 1-based, two digits after the 1
    string(SUBSTRING ${month} 1 2 month)
    string(REGEX REPLACE "^.*(..)$" "\\1" day ${day})
    string(APPEND VELLMOOR_RELEASES
      "    <release version=\"${version}\" date=\"${year}-${month}-${day}\"/>\n")
  endif()
endforeach()
string(REGEX REPLACE "\n$" "" VELLMOOR_RELEASES "${VELLMOOR_RELEASES}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS data/changelog)
configure_file(data/metainfo.xml.in ${VELLMOOR_APP_ID}.metainfo.xml @ONLY)

# Debian wants documentation compressed with gzip -9n (no name, no time).
find_program(GZIP gzip REQUIRED)
foreach(doc vellmoor.6 changelog)
  add_custom_command(OUTPUT ${doc}.gz
    COMMAND ${GZIP} -9nc ${PROJECT_SOURCE_DIR}/data/${doc} > ${doc}.gz
    DEPENDS data/${doc} VERBATIM)
endforeach()
add_custom_target(vellmoor_docs ALL DEPENDS vellmoor.6.gz changelog.gz)

install(TARGETS vellmoor RUNTIME DESTINATION ${VELLMOOR_INSTALL_PROGRAMDIR})
# A stripping install (CPack's) also drops the sections dh_strip drops; the
# build ID stays.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${VELLMOOR_INSTALL_PROGRAMDIR}/vellmoor\"
      COMMAND_ERROR_IS_FATAL ANY)
  endif()")
# The command: a launcher that starts the program in the data folder unless
# the working one holds a colours.txt. It names both by their installed
# paths, so it is written at install time, for the prefix given then
# (cmake --install --prefix, CPack's /usr), single-quoted for sh.
string(CONFIGURE [[
  get_filename_component(prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)  # --prefix may be relative
  set(VELLMOOR_PROGRAM "${prefix}/@VELLMOOR_INSTALL_PROGRAMDIR@/vellmoor")
  set(VELLMOOR_DATA_DIR "${prefix}/@VELLMOOR_INSTALL_DATADIR@")
  foreach(path VELLMOOR_PROGRAM VELLMOOR_DATA_DIR)
    string(REPLACE "'" "'\\''" ${path} "${${path}}")
  endforeach()
  set(launcher "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/@VELLMOOR_INSTALL_GAMESDIR@/vellmoor")
  message(STATUS "Installing: ${launcher}")
  configure_file("@PROJECT_SOURCE_DIR@/data/vellmoor.sh.in" "${launcher}" @ONLY
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${launcher}")
]] code @ONLY)
install(CODE "${code}")
install(FILES colours.txt DESTINATION ${VELLMOOR_INSTALL_DATADIR})
install(FILES ${PROJECT_BINARY_DIR}/vellmoor.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${PROJECT_BINARY_DIR}/${VELLMOOR_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_BINARY_DIR}/${VELLMOOR_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The icon: drawn as SVG, with a PNG for each size a desktop asks for.
file(GLOB icons RELATIVE ${PROJECT_SOURCE_DIR}/data/icons ${PROJECT_SOURCE_DIR}/data/icons/vellmoor-*.png)
foreach(icon IN LISTS icons)
  string(REGEX REPLACE "^vellmoor-([0-9]+)\\.png$" "\\1" size ${icon})
  install(FILES data/icons/${icon} RENAME vellmoor.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES data/icons/vellmoor.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES data/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES data/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
  RENAME vellmoor)
install(FILES ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR}
  RENAME changelog.gz)  # a native package

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vellmoor)
set(CPACK_PACKAGE_CONTACT "Vellmoor developers <developers@vellmoor.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "fly over a random landscape")
set(CPACK_PACKAGE_DESCRIPTION "Vellmoor builds a random 501 x 501 height field from several hundred dents
at start-up, colours it from a small ramp file and lets you fly over it in
real time, drawn with fixed-function OpenGL under a lit sky and a faint fog.
Keys and mouse drags steer the heading, pitch, speed, climb and view depth.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)  # libglut, libglu, libgl, libc, libstdc++
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/data/installed-size.cmake)
include(CPack)
