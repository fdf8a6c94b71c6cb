# The manual page, the Debian documents and the Debian package (CPack DEB).
# scripts/package.sh builds the package; it holds exactly what
# `cmake --install` installs, with /usr as the prefix.

# The changelog's date in the form Debian wants ("Tue, 08 Dec 2026 00:00:00 +0000").
execute_process(
  COMMAND date -u -R -d "${VELLUMARK_RELEASE_DATE}"
  OUTPUT_VARIABLE VELLUMARK_CHANGELOG_DATE OUTPUT_STRIP_TRAILING_WHITESPACE
  COMMAND_ERROR_IS_FATAL ANY)

string(SUBSTRING "${VELLUMARK_RELEASE_DATE}" 0 4 VELLUMARK_RELEASE_YEAR)

set(VELLUMARK_PACKAGING_DIR ${CMAKE_CURRENT_BINARY_DIR}/packaging)
configure_file(packaging/vellumark.1 ${VELLUMARK_PACKAGING_DIR}/vellumark.1 @ONLY)
configure_file(packaging/changelog.in ${VELLUMARK_PACKAGING_DIR}/changelog @ONLY)
configure_file(packaging/copyright.in ${VELLUMARK_PACKAGING_DIR}/copyright @ONLY)

# Debian wants manual pages and changelogs compressed, without a time stamp
# in the file (-n) so that two builds give the same package.
set(VELLUMARK_COMPRESSED_DOCS)
foreach(document vellumark.1 changelog)
  add_custom_command(
    OUTPUT ${VELLUMARK_PACKAGING_DIR}/${document}.gz
    COMMAND gzip -9 -n -f -k ${VELLUMARK_PACKAGING_DIR}/${document}
    DEPENDS ${VELLUMARK_PACKAGING_DIR}/${document}
    COMMENT "Compressing ${document}")
  list(APPEND VELLUMARK_COMPRESSED_DOCS ${VELLUMARK_PACKAGING_DIR}/${document}.gz)
endforeach()
add_custom_target(vellumark-docs ALL DEPENDS ${VELLUMARK_COMPRESSED_DOCS})

install(FILES ${VELLUMARK_PACKAGING_DIR}/vellumark.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# Named after the package, not after the project as CMAKE_INSTALL_DOCDIR is.
install(FILES ${VELLUMARK_PACKAGING_DIR}/copyright ${VELLUMARK_PACKAGING_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vellumark)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vellumark)
set(CPACK_PACKAGE_VENDOR "${VELLUMARK_MAKER}")
set(CPACK_PACKAGE_CONTACT "${VELLUMARK_MAKER} <${VELLUMARK_MAKER_EMAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "print covers for CD and DVD cases at their true size")
set(CPACK_PACKAGE_DESCRIPTION
    "Vellumark prints covers for CD and DVD cases on an ordinary printer,\n"
    "measured in centimetres, so that a 12.1 cm front cover comes out 12.1 cm\n"
    "wide. Two cover slots share a page: the front of a CD case and its back\n"
    "insert with or without the side flaps, each with its size and position\n"
    "remembered. DVD covers print at 18.3 x 27.2 cm or 13.1 x 18.3 cm. The\n"
    "texts are in Italian, English and German.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VELLUMARK_MAKER} <${VELLUMARK_MAKER_EMAIL}>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VELLUMARK_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The drawings are SVG files, read through Qt's svg plugins: a plugin is no
# library the binary links, so the computed dependencies cannot see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
# Qt's Wayland plugin, more picture formats (the program's own are in Qt's
# Gui library), Qt's own dialog texts in Italian and German, and a font for
# the window's texts.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "qt6-wayland, qt6-image-formats-plugins, qt6-translations-l10n, fonts-dejavu-core")
# Printing to a PDF file through CUPS.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "printer-driver-cups-pdf")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
