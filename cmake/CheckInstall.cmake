# Installs the build into a scratch prefix and checks that every file lands where the program and
# the desktop look for it. Run by CTest:
#   cmake -DBUILD_DIR=<build> -DPREFIX=<scratch> -DEDITOR=<built editor> -DAPPSTREAM_ID=<id>
#         -DLICENSES=<names> -P CheckInstall.cmake
# The desktop entry, the AppStream description and the MIME type are also run through
# desktop-file-validate, appstreamcli and update-mime-database where those are installed.
cmake_minimum_required(VERSION 3.21)

foreach(var BUILD_DIR PREFIX EDITOR APPSTREAM_ID LICENSES)
    if(NOT DEFINED ${var} OR "${${var}}" STREQUAL "")
        message(FATAL_ERROR "CheckInstall.cmake needs -D${var}=...")
    endif()
endforeach()

set(failures "")
macro(fail text)
    list(APPEND failures "${text}")
endmacro()

function(require_file path)
    if(NOT EXISTS "${path}" OR IS_DIRECTORY "${path}")
        set(failures "${failures};missing: ${path}" PARENT_SCOPE)
    endif()
endfunction()

# Fails unless the file holds every one of the given texts.
function(require_texts path)
    if(NOT EXISTS "${path}")
        set(failures "${failures};missing: ${path}" PARENT_SCOPE)
        return()
    endif()
    file(READ "${path}" content)
    foreach(text ${ARGN})
        string(FIND "${content}" "${text}" at)
        if(at EQUAL -1)
            set(failures "${failures};${path} lacks '${text}'" PARENT_SCOPE)
        endif()
    endforeach()
endfunction()

# Fails unless the file is a PNG image of size x size pixels.
function(require_png path size)
    if(NOT EXISTS "${path}")
        set(failures "${failures};missing: ${path}" PARENT_SCOPE)
        return()
    endif()
    file(READ "${path}" header LIMIT 24 HEX)
    string(SUBSTRING "${header}" 0 16 signature)
    string(SUBSTRING "${header}" 32 8 width_hex)
    string(SUBSTRING "${header}" 40 8 height_hex)
    math(EXPR width "0x${width_hex}")
    math(EXPR height "0x${height_hex}")
    if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT width EQUAL size OR NOT height EQUAL size)
        set(failures "${failures};${path} is not a ${size} px PNG (${width} x ${height})" PARENT_SCOPE)
    endif()
endfunction()

file(REMOVE_RECURSE "${PREFIX}")
execute_process(
    COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
    RESULT_VARIABLE result
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${result}):\n${output}")
endif()

# Fails unless the file is gzip-compressed without a stored name or time, as Debian wants it.
function(require_gzip path)
    if(NOT EXISTS "${path}")
        set(failures "${failures};missing: ${path}" PARENT_SCOPE)
        return()
    endif()
    file(READ "${path}" header LIMIT 8 HEX)
    # Magic 1f 8b, method 08, flags 00 (no name), time 00000000.
    if(NOT header STREQUAL "1f8b080000000000")
        set(failures "${failures};${path} is not gzip -n output (${header})" PARENT_SCOPE)
    endif()
endfunction()

# Reports what a validator found, or that it is missing here.
function(run_validator name)
    find_program(tool_${name} ${name})
    if(NOT tool_${name})
        message(STATUS "${name} is not installed: skipped")
        return()
    endif()
    execute_process(COMMAND ${tool_${name}} ${ARGN}
        RESULT_VARIABLE valid OUTPUT_VARIABLE why ERROR_VARIABLE why)
    if(NOT valid EQUAL 0)
        set(failures "${failures};${name}: ${why}" PARENT_SCOPE)
    else()
        message(STATUS "${name}: accepted")
    endif()
endfunction()

# The programs, and only the ones for real hardware.
set(bin "${PREFIX}/bin")
require_file("${bin}/mv100-editor")
require_file("${bin}/mv100ctl")
foreach(demo mv100-editor-sim mv100ctl-sim)
    if(EXISTS "${bin}/${demo}")
        fail("a demo build was installed: ${bin}/${demo}")
    endif()
endforeach()

# The licence texts where About looks for them beside an installed program, and beside the built
# one. The texts are the real licences, not stand-ins.
set(expected_text_LICENSE-qt.txt
    "GNU LESSER GENERAL PUBLIC LICENSE" "GNU GENERAL PUBLIC LICENSE" "Version 3, 29 June 2007")
set(expected_text_LICENSE-hidapi.txt
    "HIDAPI license" "This software may be used by anyone for any reason")
set(expected_text_LICENSE-google-material-icons.txt
    "Apache License" "Version 2.0, January 2004" "END OF TERMS AND CONDITIONS")
get_filename_component(editor_dir "${EDITOR}" DIRECTORY)
foreach(name ${LICENSES})
    require_texts("${bin}/../share/doc/mv100-editor/${name}" ${expected_text_${name}})
    require_file("${editor_dir}/licenses/${name}")
endforeach()

# The desktop entry, which opens .mv100 files, its icon in the hicolor theme and the udev rule.
set(desktop "${PREFIX}/share/applications/mv100-editor.desktop")
require_texts("${desktop}"
    "[Desktop Entry]" "\nName=Morvantide100 Editor\n" "\nExec=mv100-editor %f\n"
    "\nIcon=mv100-editor\n" "\nCategories=Settings;HardwareSettings;\n"
    "\nMimeType=application/x-mv100;\n")
set(mime "${PREFIX}/share/mime/packages/mv100-editor.xml")
require_texts("${mime}" "<mime-type type=\"application/x-mv100\">" "<glob pattern=\"*.mv100\"/>"
    "<comment>")
set(metainfo "${PREFIX}/share/metainfo/${APPSTREAM_ID}.metainfo.xml")
require_texts("${metainfo}" "<id>${APPSTREAM_ID}</id>"
    "<launchable type=\"desktop-id\">mv100-editor.desktop</launchable>"
    "<image>https://" "<content_rating" "<release version=")
foreach(page mv100-editor mv100ctl)
    require_gzip("${PREFIX}/share/man/man1/${page}.1.gz")
endforeach()
require_gzip("${PREFIX}/share/doc/mv100-editor/changelog.gz")
require_texts("${PREFIX}/share/doc/mv100-editor/copyright"
    "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" "\nFiles: *\n")
foreach(size 32 48 64 128 256 512)
    require_png("${PREFIX}/share/icons/hicolor/${size}x${size}/apps/mv100-editor.png" ${size})
endforeach()
set(rule "${PREFIX}/lib/udev/rules.d/70-morvantide100.rules")
require_texts("${rule}"
    "SUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"07c0\", ATTRS{idProduct}==\"0181\", TAG+=\"uaccess\"")
if(EXISTS "${rule}")
    # One rule, and it grants nothing but the uaccess tag.
    file(STRINGS "${rule}" rule_lines REGEX "^[^#]")
    list(LENGTH rule_lines rule_count)
    if(NOT rule_count EQUAL 1)
        fail("${rule} holds ${rule_count} rules, not 1")
    endif()
    if(rule_lines MATCHES "MODE|GROUP|OWNER|RUN")
        fail("${rule} grants more than the uaccess tag")
    endif()
endif()

if(EXISTS "${desktop}")
    run_validator(desktop-file-validate "${desktop}")
endif()
if(EXISTS "${metainfo}")
    run_validator(appstreamcli validate --no-net "${metainfo}")
endif()
# The MIME database built from the installed package file maps the glob to the type.
if(EXISTS "${mime}")
    run_validator(update-mime-database "${PREFIX}/share/mime")
    if(EXISTS "${PREFIX}/share/mime/globs2")
        file(STRINGS "${PREFIX}/share/mime/globs2" globs REGEX "application/x-mv100")
        if(NOT globs MATCHES "application/x-mv100:\\*\\.mv100")
            fail("update-mime-database did not map *.mv100 to application/x-mv100: ${globs}")
        endif()
    endif()
endif()

list(REMOVE_ITEM failures "")
if(failures)
    list(JOIN failures "\n  " text)
    message(FATAL_ERROR "Installed layout is wrong:\n  ${text}")
endif()
message(STATUS "Installed layout under ${PREFIX}: all files in place")
