# A Debian package of the installed files: `cpack -G DEB` in the build folder.
# The shared libraries Quillary links to become dependencies through dpkg-shlibdeps; the rest are
# loaded at run time and are named here.
set(CPACK_PACKAGE_NAME "quillary")
set(CPACK_PACKAGE_VENDOR "Quillary")
set(QUILLARY_MAINTAINER "Quillary developers <maintainers@quillary.org>" CACHE STRING "The maintainer named by the Debian package")
set(CPACK_PACKAGE_CONTACT "${QUILLARY_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "contacts editor for vCard and CSV files")
set(CPACK_PACKAGE_DESCRIPTION "Quillary shows many contacts in one table in which every phone number, \
e-mail address, postal address and other labelled value can take a row of its own, so that contacts \
can be read, sorted, compared and edited field by field. It reads and writes vCard 2.1/3.0 and CSV \
files in any text encoding, prints address lists, labels, envelopes and Japanese postcards, and \
comes with quillary-cli for the command line.")
set(CPACK_PACKAGE_HOMEPAGE_URL "${QUILLARY_HOMEPAGE}")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR "DEB")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The platform plugins (the window system, and the offscreen one that quillary-cli prints with) and
# the Japanese translations of Qt's own dialogs are plugins and data, which dpkg-shlibdeps cannot see.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-ipaexfont-mincho")
include(CPack)
