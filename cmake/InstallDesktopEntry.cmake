# Run by `cmake --install`: writes the desktop entry for the prefix being installed into.
# MALVOREN_DESKTOP_TEMPLATE names the entry with @MALVOREN_EXEC@ and @MALVOREN_TRYEXEC@ in it.
set(program "${CMAKE_INSTALL_PREFIX}/bin/malvoren")
# The Exec key's own quoting: a path with anything beyond these characters goes in double
# quotes, with the characters that stay special inside them escaped by a backslash.
set(exec "${program}")
if(NOT exec MATCHES "^[A-Za-z0-9_./+-]+$")
    string(REPLACE [[\]] [[\\]] exec "${exec}")
    string(REPLACE [["]] [[\"]] exec "${exec}")
    string(REPLACE [[`]] [[\`]] exec "${exec}")
    string(REPLACE [[$]] [[\$]] exec "${exec}")
    set(exec "\"${exec}\"")
endif()
# Then the file format's escape of a backslash in every value.
string(REPLACE [[\]] [[\\]] exec "${exec}")
string(REPLACE [[\]] [[\\]] tryExec "${program}")
file(READ "${MALVOREN_DESKTOP_TEMPLATE}" entry)
string(REPLACE "@MALVOREN_EXEC@" "${exec}" entry "${entry}")
string(REPLACE "@MALVOREN_TRYEXEC@" "${tryExec}" entry "${entry}")
set(target "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share/applications/malvoren.desktop")
message(STATUS "Installing: ${target}")
file(WRITE "${target}" "${entry}")
