# Install layout (GNU directories) and the facts the program is built with.
# Included before the layers, so that every target sees the generated header.
include(GNUInstallDirs)

set(ZEMBRA_APP_ID org.zembra.Zembra)
set(ZEMBRA_LICENSE GPL-3.0-or-later)
set(ZEMBRA_PRIVATE_LIBDIR ${CMAKE_INSTALL_LIBDIR}/zembra)
# The package's documents (Qt's own set-up fixes CMAKE_INSTALL_DOCDIR to the project name).
set(ZEMBRA_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/zembra)
set(ZEMBRA_GUIDE_DIR ${CMAKE_INSTALL_DATADIR}/zembra/guide)
file(RELATIVE_PATH ZEMBRA_LIBDIR_FROM_BINDIR /p/${CMAKE_INSTALL_BINDIR} /p/${ZEMBRA_PRIVATE_LIBDIR})
file(RELATIVE_PATH ZEMBRA_GUIDE_FROM_BINDIR /p/${CMAKE_INSTALL_BINDIR} /p/${ZEMBRA_GUIDE_DIR})

# The header lands under generated/platform/, so it is included as
# "platform/BuildInfo.h" by whoever links zembra_platform.
set(ZEMBRA_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/BuildInfo.h.in ${ZEMBRA_GENERATED_DIR}/platform/BuildInfo.h @ONLY)
