# The release package that a host developer downloads: ./run package has CPack
# make tavrokessaui-<version>-win64.zip (and its .sha256) from the install tree.
# Everything in it takes its version from project(); the ZIP holds one folder of
# that name with bin/, include/, lib/ (import library, CMake package, pkg-config
# file) and share/ (our toolchain file, the Wine prefix script, the documents).

# pkg-config, for hosts built with make or meson.
configure_file(${PROJECT_SOURCE_DIR}/cmake/tavrokessaui.pc.in ${PROJECT_BINARY_DIR}/tavrokessaui.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/tavrokessaui.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# A host without a mingw-w64 toolchain file of its own can use ours, and test
# under Wine with a prefix set up as our tests' is.
install(FILES ${PROJECT_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake ${PROJECT_SOURCE_DIR}/cmake/WinePrefix.cmake
        DESTINATION ${CMAKE_INSTALL_DATADIR}/tavrokessaui)

# The documents keep their relative places, so the links between them work in the package too.
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/CHANGELOG.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${PROJECT_SOURCE_DIR}/docs/host-guide.md ${PROJECT_SOURCE_DIR}/docs/wine-notes.md
              ${PROJECT_SOURCE_DIR}/docs/accessibility.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/gallery/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs/gallery
        FILES_MATCHING PATTERN "*.png")

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Kessa client dialogs for 64-bit Windows hosts")
set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_BINARY_DIR}/dist)
# The download carries no debug information (the DLL shrinks to a third).
set(CPACK_STRIP_FILES ON)
set(CPACK_VERBATIM_VARIABLES ON)
include(CPack)
