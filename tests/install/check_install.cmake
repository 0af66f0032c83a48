# cmake -DBUILD_DIR=<build tree> -DPREFIX=<empty folder to install into>
#       -DVALIDATE=<desktop-file-validate> -P check_install.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed:\n${out}")
endif()

set(failures "")
foreach(file bin/malvoren share/malvoren/en.lng share/malvoren/Languages
             share/applications/malvoren.desktop)
    if(NOT EXISTS "${PREFIX}/${file}")
        string(APPEND failures "missing ${file}\n")
    endif()
endforeach()

# Each icon is a PNG of its folder's size: width and height are the 4-byte numbers at 16 and 20.
foreach(size 48 128 256)
    set(icon "${PREFIX}/share/icons/hicolor/${size}x${size}/apps/malvoren.png")
    if(NOT EXISTS "${icon}")
        string(APPEND failures "missing the ${size} px icon\n")
        continue()
    endif()
    file(READ "${icon}" signature LIMIT 8 HEX)
    file(READ "${icon}" header OFFSET 16 LIMIT 8 HEX)
    math(EXPR hex "${size}" OUTPUT_FORMAT HEXADECIMAL)
    string(SUBSTRING "${hex}" 2 -1 hex)
    string(LENGTH "${hex}" digits)
    math(EXPR pad "8 - ${digits}")
    string(REPEAT "0" ${pad} zeros)
    string(TOLOWER "${zeros}${hex}${zeros}${hex}" expected)
    if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT header STREQUAL expected)
        string(APPEND failures "the ${size} px icon is not a ${size} x ${size} PNG (${header})\n")
    endif()
endforeach()

# The entry starts the installed program by its full path, which holds a blank here and so is
# quoted, and names the installed icon.
set(entry "${PREFIX}/share/applications/malvoren.desktop")
if(EXISTS "${entry}")
    file(STRINGS "${entry}" lines)
    foreach(line "Exec=\"${PREFIX}/bin/malvoren\"" "TryExec=${PREFIX}/bin/malvoren"
                 "Icon=malvoren" "Type=Application" "Name=Malvoren Tool")
        if(NOT line IN_LIST lines)
            string(APPEND failures "the entry has no line ${line}\n")
        endif()
    endforeach()
    execute_process(COMMAND ${VALIDATE} "${entry}"
        RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT status EQUAL 0 OR NOT out STREQUAL "")
        string(APPEND failures "desktop-file-validate: ${out}\n")
    endif()
endif()

if(failures)
    message(FATAL_ERROR "${failures}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
