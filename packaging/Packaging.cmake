# Installs the desktop integration files and the copyright and changelog
# next to the programs (whose own install rules are in app/ and cli/, their
# manual pages in docs/man/) and configures CPack to build the Debian
# package: `cpack -G DEB` in the build folder makes
# tarnel_<version>_amd64.deb. Included from the top-level CMakeLists.txt.
if(NOT TARNEL_BUILD_APP)
  return()
endif()

include(GNUInstallDirs)

set(TARNEL_APP_ID org.example.Tarnel)
set(tarnel_packaging_dir ${CMAKE_CURRENT_LIST_DIR})

install(FILES ${tarnel_packaging_dir}/${TARNEL_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${tarnel_packaging_dir}/${TARNEL_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/app/icons/tarnel.png
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/32x32/apps
  RENAME ${TARNEL_APP_ID}.png)
install(FILES ${PROJECT_SOURCE_DIR}/app/icons/tarnel.svg
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps
  RENAME ${TARNEL_APP_ID}.svg)

# What Debian expects of every package in /usr/share/doc/<package>: the
# copyright in the machine-readable format and the changelog, compressed
# without name or time stamp (gzip -9n).
set(tarnel_doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/tarnel)
install(FILES ${tarnel_packaging_dir}/copyright DESTINATION ${tarnel_doc_dir})
include(${tarnel_packaging_dir}/GzipFile.cmake)
set(tarnel_changelog_gz ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
tarnel_gzip_file(${tarnel_packaging_dir}/changelog ${tarnel_changelog_gz} debian_changelog)
install(FILES ${tarnel_changelog_gz} DESTINATION ${tarnel_doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarnel)
set(CPACK_PACKAGE_VENDOR "Tarnel developers")
set(CPACK_PACKAGE_CONTACT "Tarnel developers <support@tarnel.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION [=[
Tarnel computes a cylindrical multi-layer solenoid wound from round wire:
from the inner and outer radius, the height, the wire diameter and the
packing factor it gives the number of turns, the DC resistance of a copper
winding and the inductance. The window is in Russian.
.
The package also holds tarnel-calc, which computes the same windings from
the command line, one per input line, with the exact inductance of each
beside the formula's value on request.]=])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The window is laid out for Liberation Sans and speaks Russian in Qt's own
# texts too; the other dependencies come from dpkg-shlibdeps run over the
# installed programs.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
