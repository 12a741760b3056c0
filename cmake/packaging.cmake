# The Debian package: what `cmake --install` puts under /usr, with the
# packages the program needs at run time. dpkg-shlibdeps finds the libraries
# (Qt 6 Widgets, the C++ runtime); the Japanese font is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorvaku)
set(CPACK_PACKAGE_VENDOR "Zorvaku")
set(CPACK_PACKAGE_CONTACT "Zorvaku maintainers <maintainers@users.noreply.c-seed-423a83a7.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "join files end to end and split a file into pieces of 1,000,000 bytes")
set(CPACK_PACKAGE_DESCRIPTION "Zorvaku is a small desktop program with one window (Japanese texts) that
appends files, in the order picked, to the end of one output file, or cuts
one file into pieces of 1,000,000 bytes that join back into it.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic")
include(CPack)
