# Installs the build into a scratch prefix and checks that every file lands where the program and
# the desktop look for it. Run by CTest:
#   cmake -DBUILD_DIR=<build> -DPREFIX=<scratch> -DEDITOR=<built editor> -DLICENSES=<names> -P CheckInstall.cmake
cmake_minimum_required(VERSION 3.21)

foreach(var BUILD_DIR PREFIX EDITOR LICENSES)
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

# The program, and only the one for real hardware.
set(bin "${PREFIX}/bin")
require_file("${bin}/mv100-editor")
if(EXISTS "${bin}/mv100-editor-sim")
    fail("the demo build was installed: ${bin}/mv100-editor-sim")
endif()

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

# The desktop entry, its icon in the hicolor theme and the udev rule.
require_texts("${PREFIX}/share/applications/mv100-editor.desktop"
    "[Desktop Entry]" "\nName=Morvantide100 Editor\n" "\nExec=mv100-editor\n" "\nIcon=mv100-editor\n"
    "\nCategories=Utility;Settings;HardwareSettings;")
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

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE AND EXISTS "${PREFIX}/share/applications/mv100-editor.desktop")
    execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} "${PREFIX}/share/applications/mv100-editor.desktop"
        RESULT_VARIABLE valid OUTPUT_VARIABLE why ERROR_VARIABLE why)
    if(NOT valid EQUAL 0)
        fail("desktop-file-validate: ${why}")
    endif()
endif()

list(REMOVE_ITEM failures "")
if(failures)
    list(JOIN failures "\n  " text)
    message(FATAL_ERROR "Installed layout is wrong:\n  ${text}")
endif()
message(STATUS "Installed layout under ${PREFIX}: all files in place")
