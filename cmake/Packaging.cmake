# Installation of the editor, the licence files beside the built program, and the Debian package.
#
#   cmake --install build --prefix /usr/local
#   cmake --build build --target package        (build/mv100-editor_<version>_<arch>.deb)
#
# Only the editor and mv100ctl for real hardware are installed: the demo builds on the simulated
# chip are tools for trying them out of the build folder.

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

install(TARGETS mv100-editor mv100ctl RUNTIME DESTINATION ${MV100_INSTALL_BINDIR})
install(FILES ${MV100_LICENSE_SOURCES} DESTINATION ${MV100_INSTALL_DOCDIR})
install(FILES packaging/mv100-editor.desktop DESTINATION share/applications)
# .mv100 files get their MIME type, which the desktop entry opens; software centres read the
# AppStream description.
install(FILES packaging/mv100-editor.xml DESTINATION share/mime/packages)
set(MV100_APPSTREAM_ID example.morvantide.mv100editor)
install(FILES packaging/${MV100_APPSTREAM_ID}.metainfo.xml DESTINATION share/metainfo)

# Manual pages and the Debian changelog, compressed as Debian wants them: gzip -9 without the
# name and time stamp, so that the same source gives the same bytes.
find_program(MV100_GZIP gzip REQUIRED)
set(MV100_GZIPPED "")
foreach(source packaging/mv100-editor.1 packaging/mv100ctl.1 packaging/debian/changelog)
    get_filename_component(name ${source} NAME)
    set(copy ${CMAKE_CURRENT_BINARY_DIR}/packaging/${name})
    add_custom_command(
        OUTPUT ${copy}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/${source} ${copy}
        COMMAND ${MV100_GZIP} -9nf ${copy}
        DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${source}
        COMMENT "Compressing ${name}"
        VERBATIM)
    list(APPEND MV100_GZIPPED ${copy}.gz)
endforeach()
add_custom_target(mv100_compressed_docs ALL DEPENDS ${MV100_GZIPPED})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/mv100-editor.1.gz
              ${CMAKE_CURRENT_BINARY_DIR}/packaging/mv100ctl.1.gz
    DESTINATION share/man/man1)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.gz packaging/debian/copyright
    DESTINATION ${MV100_INSTALL_DOCDIR})

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
# Wrapped by hand: CPack indents each line of the extended description by one space.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Assigns keys, modifiers, media, mouse and backlight functions, FN layers\n"
    "and macros to the key matrix of the Morvantide100 USB keyboard-encoder\n"
    "chip, sets its mouse, LED, backlight, lock-key, debounce, custom-data and\n"
    "PIN options, and reads, writes, erases and locks the chip over USB HID.\n"
    "\n"
    "The command-line tool mv100ctl does the same from scripts and checks and\n"
    "compares configuration files. Includes a udev rule that lets the\n"
    "logged-in user open the chip.")
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
            -DAPPSTREAM_ID=${MV100_APPSTREAM_ID}
            "-DLICENSES=${MV100_LICENSE_NAMES}"
            -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/CheckInstall.cmake)

    # The Debian package, built into a scratch folder and judged by lintian: no error and no
    # warning. Skipped (exit 77) where lintian is missing and in the sanitizer build, which is
    # not a package.
    add_test(NAME lintian_package
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/scripts/lintian-package.sh ${CMAKE_BINARY_DIR}
                $<IF:$<BOOL:${MV100_SANITIZE}>,sanitized,plain>)
    set_tests_properties(lintian_package PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 600 RUN_SERIAL TRUE)
endif()
