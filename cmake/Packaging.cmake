# The Debian package (scripts/package.sh): `cpack -G DEB` in a build configured
# with the prefix /usr. Library dependencies come from the binaries (shlibdeps);
# the Qt platform plugins are loaded at run time, so they are named here.
set(CPACK_PACKAGE_NAME zembra)
set(CPACK_PACKAGE_VENDOR "Zembra developers")
set(CPACK_PACKAGE_CONTACT "Zembra developers <dev@zembra.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for animated GIFs")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://zembra.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# shlibdeps must look into the private library folder too.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_INSTALL_PREFIX}/${ZEMBRA_PRIVATE_LIBDIR})
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, xdg-utils")
set(CPACK_PACKAGE_DESCRIPTION
"Zembra builds animations from a background (a colour, a picture or the
frames of a GIF) and vector figures whose every property can change from
frame to frame. It renders the frames, previews them, and writes animated
GIFs, single images and AVI videos. It also makes GIFs from images and
records rectangles of the screen. Headless subcommands serve batch use.")
set(CPACK_GENERATOR DEB)
include(CPack)
