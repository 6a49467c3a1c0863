# SPDX-License-Identifier: GPL-3.0-or-later
# The manual pages and the Debian copyright and changelog files, all installed by
# `cmake --install`; and `make package`, a Debian package of what that installs.
find_program(GZIP gzip REQUIRED)

# Installs SOURCE as DESTINATION/NAME.gz, with @PROJECT_VERSION@ replaced. Debian wants
# manual pages and changelogs compressed, and reproducibly: gzip -n leaves the file's
# name and time out.
set(compressed_files)
function(install_compressed source destination name)
    set(copy ${PROJECT_BINARY_DIR}/compressed/${destination}/${name})
    configure_file(${source} ${copy} @ONLY)
    add_custom_command(OUTPUT ${copy}.gz COMMAND ${GZIP} -9nkf ${copy} DEPENDS ${copy} VERBATIM)
    install(FILES ${copy}.gz DESTINATION ${destination})
    set(compressed_files ${compressed_files} ${copy}.gz PARENT_SCOPE)
endfunction()

install_compressed(docs/velaro.1.in ${CMAKE_INSTALL_MANDIR}/man1 velaro.1)
install_compressed(docs/velaro.ru.1.in ${CMAKE_INSTALL_MANDIR}/ru/man1 velaro.1)
install_compressed(packaging/changelog ${CMAKE_INSTALL_DOCDIR} changelog)
add_custom_target(compressed_files ALL DEPENDS ${compressed_files})
install(FILES packaging/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_VENDOR "VELARO developers")
set(CPACK_PACKAGE_CONTACT "VELARO developers <velaro@example.org>")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "VELARO composes the standard English position reports a pilot announces at an\n"
    "aerodrome without air traffic control and puts them on the clipboard.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time rather than linked, so dpkg-shlibdeps cannot see them: the SVG
# plugins draw the icon theme's scalable icons in the fields' context menus, and the
# fixed layout is sized for the DejaVu fonts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, fonts-dejavu-core, fonts-dejavu-extra")
# A native window on a Wayland session (the X11 plugin comes with the Qt libraries),
# wl-clipboard for a press from another program while the window has no focus there, and
# speech-dispatcher with Qt's plugin for it, loaded at run time, to say the calls aloud.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "qt6-wayland, wl-clipboard, qt6-speech-speechd-plugin, speech-dispatcher, speech-dispatcher-espeak-ng")
# The simulator the window can be linked to (velaro --flightgear).
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "flightgear")
include(CPack)
