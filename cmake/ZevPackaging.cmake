# Debian packages, one per install component: zevsatchel (the program, its
# companion, Tabula, the helper libraries and the kit) and zevsatchel-server
# (the reference server and the distributors' tools). tools/package.sh builds
# them from an existing build tree.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zevsatchel)
set(CPACK_PACKAGE_VENDOR "ZevSatchel")
set(CPACK_PACKAGE_CONTACT "ZevSatchel maintainers <maintainers@zevsatchel.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_BINARY_DIR}/packages)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL zevsatchel server)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
# Depends from the shared libraries the binaries need; libtabula is found in
# the build tree for the server package, which gets its dependency on
# zevsatchel below.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_LIBRARY_OUTPUT_DIRECTORY})
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY "=")

set(CPACK_DEBIAN_ZEVSATCHEL_PACKAGE_NAME zevsatchel)
set(CPACK_DEBIAN_ZEVSATCHEL_PACKAGE_SECTION misc)
# iproute2: the nightly synchronisation waits for a network route with `ip`.
set(CPACK_DEBIAN_ZEVSATCHEL_PACKAGE_DEPENDS "iproute2")
# Our own maintainer scripts replace CPack's, which would call ldconfig
# directly; the trigger does that job.
set(CPACK_DEBIAN_ZEVSATCHEL_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/packaging/debian/triggers
    ${PROJECT_SOURCE_DIR}/packaging/debian/postinst
    ${PROJECT_SOURCE_DIR}/packaging/debian/postrm)
set(CPACK_DEBIAN_ZEVSATCHEL_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# First line: the synopsis; an empty line separates paragraphs.
set(CPACK_DEBIAN_ZEVSATCHEL_DESCRIPTION
    "sales-force tool for a beverage distributor's field representatives
ZevSatchel plans the week's calls, takes orders against each account's
order guide under the distributor's ordering rules, checks prices and
stock, and synchronises with the distributor's server. Its data lives in
a local database through the Tabula library.

This package holds the program, the command-line companion satchel, the
Tabula library, the helper libraries, the distributor kit and a systemd
user timer for nightly synchronisation (off until enabled).")

set(CPACK_DEBIAN_SERVER_PACKAGE_NAME zevsatchel-server)
set(CPACK_DEBIAN_SERVER_PACKAGE_SECTION net)
set(CPACK_DEBIAN_SERVER_PACKAGE_DEPENDS "zevsatchel (= ${PROJECT_VERSION}-1)")
set(CPACK_DEBIAN_SERVER_DESCRIPTION
    "reference server and distributor tools for ZevSatchel
The reference distributor server zevserver answers the ZevSatchel
program's requests from its own database; zevdemo fills it with a demo
distributor's data. zevconfig builds the distributor settings record and
zevsql runs a statement against a local database, for support staff.")

include(CPack)
