# `cpack -G DEB` in the build folder makes an installable Debian package of everything the
# install rules name: the programs, the shipped data with the user guide, the desktop entry and
# the icon. The libraries the programs link are found by dpkg-shlibdeps; what they load at run
# time is declared here.
set(CPACK_PACKAGE_NAME listrion)
set(CPACK_PACKAGE_VENDOR "Velmora")
set(CPACK_PACKAGE_CONTACT "Listrion maintainers <listrion@listrion.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for IPTV playlists in the extended M3U format")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://listrion.org")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
# gzip rather than xz: a package made in seconds, which the package test relies on.
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded as plug-ins, so invisible to dpkg-shlibdeps: the window system's platform plug-ins and
# the SVG icon engine.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6")
# The preview's video output, the desktop's handlers and folders, Qt's dialog translations.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "vlc-plugin-base, vlc-plugin-video-output, xdg-utils, xdg-user-dirs, qt6-translations-l10n")
include(CPack)
