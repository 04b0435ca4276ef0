# Installs the Debian way: the binary in games, its default ramp and icon under
# share, a section-6 manual page and a menu entry; CPack makes the .deb.
include(GNUInstallDirs)
set(VELLMOOR_INSTALL_GAMESDIR games CACHE PATH "Where the binary goes, under the prefix (Debian: games)")
set(VELLMOOR_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/vellmoor)

# The menu entry starts the viewer where the default colours.txt lies.
set(VELLMOOR_BIN_PATH ${CMAKE_INSTALL_PREFIX}/${VELLMOOR_INSTALL_GAMESDIR}/vellmoor)
set(VELLMOOR_DATA_PATH ${CMAKE_INSTALL_PREFIX}/${VELLMOOR_INSTALL_DATADIR})
configure_file(data/vellmoor.desktop.in vellmoor.desktop @ONLY)

# Debian wants documentation compressed with gzip -9n (no name, no time).
find_program(GZIP gzip REQUIRED)
foreach(doc vellmoor.6 changelog)
  add_custom_command(OUTPUT ${doc}.gz
    COMMAND ${GZIP} -9nc ${PROJECT_SOURCE_DIR}/data/${doc} > ${doc}.gz
    DEPENDS data/${doc} VERBATIM)
endforeach()
add_custom_target(vellmoor_docs ALL DEPENDS vellmoor.6.gz changelog.gz)

install(TARGETS vellmoor RUNTIME DESTINATION ${VELLMOOR_INSTALL_GAMESDIR})
# A stripping install (CPack's) also drops the sections dh_strip drops; the
# build ID stays.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${VELLMOOR_INSTALL_GAMESDIR}/vellmoor\"
      COMMAND_ERROR_IS_FATAL ANY)
  endif()")
install(FILES colours.txt DESTINATION ${VELLMOOR_INSTALL_DATADIR})
install(FILES ${PROJECT_BINARY_DIR}/vellmoor.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${PROJECT_BINARY_DIR}/vellmoor.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/vellmoor.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps)
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
