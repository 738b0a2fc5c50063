# The Debian package, made by CPack from the install rules: the program folder under
# /usr/lib/orbalin, the command /usr/bin/orbalin, the menu entry, the icons and the AppStream
# metadata, with the copyright and changelog Debian asks of every package. The libraries it
# depends on are read from the executable by dpkg-shlibdeps. The version, homepage and contact are
# the project's own (CMakeLists.txt).
add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
    COMMAND gzip -9n -c ${CMAKE_CURRENT_SOURCE_DIR}/changelog > ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/changelog)
add_custom_target(orbalin_changelog ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
configure_file(copyright.in ${CMAKE_CURRENT_BINARY_DIR}/copyright @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION share/doc/orbalin)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orbalin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Orbalin developers <${ORBALIN_MAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "design and print CD labels and jewel-case inserts")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Orbalin designs the round disc label, the jewel-case front and back inserts\nand the 80 mm mini-disc label from your own photos, gradients, text and clip\nart, and prints them at their true size on your own printer.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# xdg-utils' xdg-open opens the help page, the homepage and the mail from the Help menu.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, glabels-data, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ORBALIN_HOMEPAGE}")
set(CPACK_STRIP_FILES ON)
include(CPack)
