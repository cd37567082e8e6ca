# The Debian package: `cpack -G DEB` in the build folder (or `cmake --build build --target
# package`) makes yinshi_<version>_<arch>.deb from the install rules, for /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME yinshi)
set(CPACK_PACKAGE_VENDOR "The yinshi developers")
set(CPACK_PACKAGE_CONTACT "The yinshi developers <yinshi@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "polynomial factoring for school algebra, showing the working")
set(CPACK_PACKAGE_DESCRIPTION
  "Factors polynomials with rational coefficients in one or several variables and shows the working:\
 the terms split into partial products, regrouped so that each group has a common factor, and the\
 product of the factors. A Qt window program (Chinese, or English for other languages) and a\
 text-mode engine that runs in its own terminal window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows need Qt's X11 platform plugin, which no library pulls in; the engine runs in
# xterm, or in the desktop's own terminal emulator.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, xterm | x-terminal-emulator")
# Chinese buttons in message boxes, and the fonts the windows and the terminal ask for.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-wqy-microhei, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "fonts-arphic-uming")
include(CPack)
