# `make deb`: a Debian package of the program, built with CPack. Everything
# lands under /usr: the programs with their data in /usr/lib/tablora (they
# look for help/, data/ and the pictures beside themselves), links in /usr/bin,
# and the desktop entry, icons, file type and metadata under /usr/share.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tablora)
set(CPACK_PACKAGE_VENDOR "Tablora")
set(CPACK_PACKAGE_CONTACT "Tablora <author@tablora.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "baseball league standings manager (Japanese user interface)")
# Debian shows the long description as it stands: lines of at most 80 columns.
set(CPACK_PACKAGE_DESCRIPTION
    "Tablora keeps the schedule and the results of a baseball season and shows
the standings of every district on any day: games behind, magic numbers,
rank changes, form and streaks, head-to-head records, the schedule, one
team's rank through the season and the title race. Its windows are in
Japanese. tablora-cli gives the same figures in a terminal, as text, JSON,
CSV or HTML.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# Shipped stripped; the build folder keeps the unstripped programs.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tablora.example.org/")
# The shared libraries the programs link come from dpkg-shlibdeps; the rest is
# what they load at run time: Qt's platform plug-ins, the Japanese font the
# tables are measured for, and Qt's own texts in Japanese.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic")
# xdg-open finds the season file type through libfile-mimeinfo-perl outside a desktop environment.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils, libfile-mimeinfo-perl")
# Removing the package also takes a settings file an earlier version left in
# its folder when root ran it.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/resources/package/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
