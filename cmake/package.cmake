# The Debian package, made by `cpack -G DEB` from an installing build (the
# release preset): what `cmake --install` puts under the prefix, with the
# shared-library dependencies found by dpkg-shlibdeps.
set(TESSEL_PACKAGE_MAINTAINER "The Tessel Demo developers <tessel-demo@example.org>"
  CACHE STRING "The Debian package's Maintainer field: a name and an e-mail address")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessel-demo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tessel Demo developers")
set(CPACK_PACKAGE_CONTACT ${TESSEL_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "classroom demonstration of a random chain of up to four states")
set(CPACK_PACKAGE_DESCRIPTION [=[
Tessel Demo shows a chain that hops at random between up to four states.
Each state is a coloured oval, each possible hop an arrow with a rate the
user can edit, and a red token travels along an arrow every time the chain
jumps. While it counts, the window shows how often the chain has visited each
state and a bar chart of the share of time spent in each. Five ready-made
scenarios (a phone, a receptionist, an office worker, a conversation and a
small queue) give everyday examples. Chains of the user's own, with named
states, can be saved to .tessel files and opened again; a few examples are
included. A speed control runs the chain faster with the very same draws.

The package also holds tessel-sim, which runs the same demonstration without
a display and prints the counts as text, CSV or JSON.]=])
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TESSEL_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beside the libraries the programs link: the labels' font; Qt's platform
# plugins, without which the window cannot open (libqt6gui6 only recommends
# them); and the icon theme's index, through which the window finds its icon.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-qpa-plugins, hicolor-icon-theme")
# The catalogues are compiled into the programs; Qt's own dialogs and a text
# field's menu speak the user's language with Debian's Qt translations.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
# No maintainer scripts for the chain files' type: shared-mime-info has a dpkg
# file trigger on /usr/share/mime/packages that runs update-mime-database, and
# desktop-file-utils one on /usr/share/applications that rebuilds the
# MimeType cache, so installing or removing the package updates both.

# `make package_source` would otherwise pack the build folders too.
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/[.]git/" "/build/" "/[.]cache/")

include(CPack)
