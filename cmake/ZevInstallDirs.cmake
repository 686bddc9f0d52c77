# Installation layout (GNU directories) and the version header.
#
#   bin/                          ZevSatchel, satchel (and the server tools)
#   lib/<multiarch>/              libtabula.so.<SOVERSION>
#   lib/<multiarch>/zevsatchel/   Q9UTIL.so, Q9CPRS.so, Q9INET.so, PRICING.so
#   share/zevsatchel/             the distributor kit (the installation folder)
#
# The installed programs find the kit and the helper libraries relative to
# their own location, so a tree unpacked anywhere works without --home.

# Debian also searches /usr/local/lib/<multiarch>; use it under every prefix
# so the relative paths compiled into the programs do not depend on it.
if(NOT DEFINED CMAKE_INSTALL_LIBDIR AND CMAKE_LIBRARY_ARCHITECTURE)
  set(CMAKE_INSTALL_LIBDIR "lib/${CMAKE_LIBRARY_ARCHITECTURE}" CACHE PATH "Object code libraries (lib)")
endif()
include(GNUInstallDirs)

set(ZEV_INSTALL_KITDIR ${CMAKE_INSTALL_DATADIR}/zevsatchel)
set(ZEV_INSTALL_PLUGINDIR ${CMAKE_INSTALL_LIBDIR}/zevsatchel)

# Relative paths from the executables' folder.
file(RELATIVE_PATH ZEV_KIT_FROM_BINDIR ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/zevsatchel)
file(RELATIVE_PATH ZEV_PLUGINS_FROM_BINDIR ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR}/zevsatchel)
file(RELATIVE_PATH zev_lib_from_bindir ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})

# Installed executables find libtabula beside the system's libraries, and also
# in a tree unpacked elsewhere (dpkg -x, a private prefix).
set(CMAKE_INSTALL_RPATH "$ORIGIN/${zev_lib_from_bindir}")

configure_file(${CMAKE_CURRENT_LIST_DIR}/ZevVersion.h.in ${PROJECT_BINARY_DIR}/generated/ZevVersion.h @ONLY)
add_library(zevversion INTERFACE)
target_include_directories(zevversion INTERFACE ${PROJECT_BINARY_DIR}/generated)
