# Installation of the editor, the licence files beside the built program, and the Debian package.
#
#   cmake --install build --prefix /usr/local
#   cmake --build build --target package        (build/mv100-editor_<version>_<arch>.deb)
#
# Only the editor for real hardware is installed: the demo build on the simulated chip is a tool
# for trying the editor out of the build folder.

set(MV100_LICENSE_NAMES
    LICENSE-qt.txt
    LICENSE-hidapi.txt
    LICENSE-google-material-icons.txt)

# About looks for the licence texts in licenses/ beside the program, then in
# ../share/doc/mv100-editor/: the build folder gets the first, the installation the second.
# These paths are fixed, not GNUInstallDirs', because the program relies on them.
set(MV100_INSTALL_BINDIR bin)
set(MV100_INSTALL_DOCDIR share/doc/mv100-editor)

# The folder the executables are built into.
get_target_property(MV100_EXE_DIR mv100-editor RUNTIME_OUTPUT_DIRECTORY)
if(NOT MV100_EXE_DIR)
    set(MV100_EXE_DIR ${CMAKE_CURRENT_BINARY_DIR})
endif()
set(MV100_LICENSE_SOURCES "")
set(MV100_LICENSE_COPIES "")
foreach(name ${MV100_LICENSE_NAMES})
    list(APPEND MV100_LICENSE_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/packaging/licenses/${name})
    list(APPEND MV100_LICENSE_COPIES ${MV100_EXE_DIR}/licenses/${name})
endforeach()
add_custom_command(
    OUTPUT ${MV100_LICENSE_COPIES}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${MV100_EXE_DIR}/licenses
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${MV100_LICENSE_SOURCES}
            ${MV100_EXE_DIR}/licenses/
    DEPENDS ${MV100_LICENSE_SOURCES}
    COMMENT "Copying the licence texts beside the editor"
    VERBATIM)
add_custom_target(mv100_licenses DEPENDS ${MV100_LICENSE_COPIES})
# The demo build lies in the same folder and shares the copies.
add_dependencies(mv100-editor mv100_licenses)
add_dependencies(mv100-editor-sim mv100_licenses)

install(TARGETS mv100-editor RUNTIME DESTINATION ${MV100_INSTALL_BINDIR})
install(FILES ${MV100_LICENSE_SOURCES} DESTINATION ${MV100_INSTALL_DOCDIR})
install(FILES packaging/mv100-editor.desktop DESTINATION share/applications)

# The application icon in the hicolor theme, in the sizes the icon script draws.
install(FILES resources/res/png/keyboard-alt-tools_512px.png
    DESTINATION share/icons/hicolor/512x512/apps RENAME mv100-editor.png)
install(FILES resources/res/png/keyboard-alt-tools_32px.png
    DESTINATION share/icons/hicolor/32x32/apps RENAME mv100-editor.png)
foreach(size 48 64 128 256)
    install(FILES packaging/icons/mv100-editor_${size}px.png
        DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME mv100-editor.png)
endforeach()

# Prefix-relative: under /usr it is where udev reads packaged rules; under another prefix the
# README tells how to load it.
install(FILES packaging/70-morvantide100.rules DESTINATION lib/udev/rules.d)

# Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mv100-editor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Morvantide")
set(CPACK_PACKAGE_CONTACT "Morvantide100 Editor maintainers <maintainers@morvantide.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configuration editor for the Morvantide100 keyboard encoder")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Assigns keys, modifiers, media, mouse and backlight functions, FN layers and macros to the "
    "key matrix of the Morvantide100 USB keyboard-encoder chip, sets its mouse, LED, backlight, "
    "lock-key, debounce, custom-data and PIN options, and reads, writes, erases and locks the "
    "chip over USB HID. Includes a udev rule that lets the logged-in user open the chip.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The maker's homepage is kept in one place, the program's own MakerLinks.h.
file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/app/MakerLinks.h MV100_HOMEPAGE_LINE REGEX "HOMEPAGE = ")
string(REGEX REPLACE ".*\"(.*)\".*" "\\1" MV100_HOMEPAGE "${MV100_HOMEPAGE_LINE}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${MV100_HOMEPAGE}")
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# dpkg-shlibdeps (from dpkg-dev) derives the library packages with their versions from the
# binary; without it the package names are declared by hand.
find_program(MV100_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(MV100_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS
        "libqt6widgets6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6core6 (>= 6.4), libqt6printsupport6 (>= 6.4), libhidapi-hidraw0 (>= 0.13)")
endif()
# Qt's extra platform plugins and its Wayland plugin, for desktops that are not plain X11.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-qpa-plugins, qt6-wayland")
# The udev rule takes effect (and goes away) at once, without a reboot or a replug.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_SOURCE_DIR}/packaging/debian/postinst
    ${CMAKE_CURRENT_SOURCE_DIR}/packaging/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

# The installed layout, checked by installing into a scratch prefix.
if(MV100_BUILD_TESTS)
    add_test(NAME install_layout
        COMMAND ${CMAKE_COMMAND}
            -DBUILD_DIR=${CMAKE_BINARY_DIR}
            -DPREFIX=${CMAKE_BINARY_DIR}/install-check
            -DEDITOR=$<TARGET_FILE:mv100-editor>
            "-DLICENSES=${MV100_LICENSE_NAMES}"
            -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/CheckInstall.cmake)
endif()
