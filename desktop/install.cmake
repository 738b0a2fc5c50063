# Run by `cmake --install`: the command in bin/ and the menu entry, which must name the prefix the
# program is installed under, known only now; and the language choice. Set before:
# ORBALIN_PROGRAM_DIR, ORBALIN_DESKTOP_IN.

get_filename_component(prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
set(staged "$ENV{DESTDIR}${prefix}")

# The program finds its folder from its own path, which the kernel gives with the link resolved.
file(MAKE_DIRECTORY "${staged}/bin")
file(RELATIVE_PATH target "${prefix}/bin" "${prefix}/${ORBALIN_PROGRAM_DIR}/orbalin")
message(STATUS "Installing: ${staged}/bin/orbalin -> ${target}")
file(CREATE_LINK "${target}" "${staged}/bin/orbalin" SYMBOLIC)
# What this script makes goes into install_manifest.txt with the rest, so the uninstall target and
# anyone reading the manifest remove it too.
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${staged}/bin/orbalin")

# Exec takes the path quoted, so any folder name works; inside the quotes ", `, $ and \ are escaped
# with a backslash, which the file's own escaping doubles, and % is written %%.
set(program "${prefix}/${ORBALIN_PROGRAM_DIR}/orbalin")
set(quoted "${program}")
string(REPLACE "\\" "\\\\\\\\" quoted "${quoted}")
foreach(special "\"" "`" "$")
    string(REPLACE "${special}" "\\\\${special}" quoted "${quoted}")
endforeach()
string(REPLACE "%" "%%" quoted "${quoted}")
set(ORBALIN_EXEC "\"${quoted}\"")
string(REPLACE "\\" "\\\\" ORBALIN_TRY_EXEC "${program}")
configure_file("${ORBALIN_DESKTOP_IN}" "${staged}/share/applications/orbalin.desktop" @ONLY)
message(STATUS "Installing: ${staged}/share/applications/orbalin.desktop")
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${staged}/share/applications/orbalin.desktop")

# The language choice belongs to the user and is kept when the program is installed again; shipped
# once, so that a read-only program folder has nothing to write at start.
set(choice "${staged}/${ORBALIN_PROGRAM_DIR}/config.obn")
if(NOT EXISTS "${choice}")
    file(WRITE "${choice}" "english.lag\r\n")
endif()
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${choice}")

# Installed for all users (a package, or a system prefix), the program folder is never written:
# each user's own files go to their data folder, and removing the program leaves nothing behind.
if(prefix MATCHES "^/(usr|opt)(/|$)")
    file(WRITE "${staged}/${ORBALIN_PROGRAM_DIR}/shared-install" "")
    message(STATUS "Installing: ${staged}/${ORBALIN_PROGRAM_DIR}/shared-install")
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${staged}/${ORBALIN_PROGRAM_DIR}/shared-install")
endif()
