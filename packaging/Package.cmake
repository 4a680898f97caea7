# The Debian package of `make package`, made by CPack from the same install rules as
# `make install`, so that both install the same files. The dependencies on shared libraries
# are computed by dpkg-shlibdeps; the BLAS that makes the packing fast is named explicitly
# (TESSEL_PACKAGE_BLAS, which the Makefile takes from the packages it installs), since the
# computed dependency of the sparse solver accepts the slow reference BLAS too.

set(TESSEL_PACKAGE_BLAS "libopenblas0-pthread" CACHE STRING
    "The BLAS package that the Debian package depends on")
set(TESSEL_PACKAGE_MAINTAINER "The Tessel developers <tessel@users.noreply.example.org>"
    CACHE STRING "The Maintainer field of the Debian package")
set(TESSEL_PACKAGE_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/tessel)

# Debian wants the copyright and the changelog, compressed, in the package's doc folder.
string(TIMESTAMP changelog_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${CMAKE_BINARY_DIR}/packaging/changelog @ONLY)
find_program(GZIP gzip REQUIRED)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/changelog.gz
    COMMAND ${GZIP} -9nkf ${CMAKE_BINARY_DIR}/packaging/changelog
    DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog VERBATIM)
add_custom_target(tessel-changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
tessel_install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
               DESTINATION ${TESSEL_PACKAGE_DOCDIR})

# The programs find OpenBLAS's serial build through their run path (src/CMakeLists.txt), a
# folder of another package, which lintian takes for an error; the override says why it is not.
if(TESSEL_BLAS_DIR)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/lintian-overrides.in
                   ${CMAKE_BINARY_DIR}/packaging/lintian-overrides @ONLY)
    tessel_install(FILES ${CMAKE_BINARY_DIR}/packaging/lintian-overrides
                   DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME tessel)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "${TESSEL_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TESSEL_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${TESSEL_PACKAGE_BLAS}")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-ipafont-gothic")
# CPack starts every line after the first with a space of its own.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"editor for circle packings in the hyperbolic plane
Tessel draws a triangulated graph with the mouse and computes one circle for
every node in the Poincare disk, neighbours tangent and the boundary circles
grown out to the unit circle, by Thurston's method or to convergence by
Newton's method for graphs of up to a million nodes. The circles are then
styled (line and inner colours, line widths, colour gradations) and exported
as SVG, PDF, PNG, EPS, enhanced metafile, BMP or text.
.
The package holds the editor, in English and Japanese, and tessel-cli, which
makes, packs, styles and exports documents without a display and draws the
thumbnails that file managers show.")
include(CPack)
