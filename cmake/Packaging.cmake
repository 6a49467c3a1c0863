# SPDX-License-Identifier: GPL-3.0-or-later
# `make package` builds a Debian package of what `cmake --install` installs.
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
include(CPack)
