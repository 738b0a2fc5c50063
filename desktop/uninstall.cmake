# `cmake --build build --target uninstall`: removes what the last `cmake --install` of this build
# put under its prefix (install_manifest.txt, the language choice config.obn included), the
# working files the program made in its folder, and the folders left empty. What the user made
# stays: calibrations (*_cfg.ini) and the print choice (print.obn) in the program folder, and
# everything in ~/.local/share/orbalin. Set before: MANIFEST, PROGRAM_DIR_NAME.
if(NOT EXISTS "${MANIFEST}")
    message(FATAL_ERROR "Nothing to remove: ${MANIFEST} is missing (install first, from this build).")
endif()
file(STRINGS "${MANIFEST}" installed)
set(folders)
foreach(file IN LISTS installed)
    if(file MATCHES "/${PROGRAM_DIR_NAME}/orbalin$")
        get_filename_component(program_folder "${file}" DIRECTORY)
    elseif(file MATCHES "/bin/orbalin$")
        get_filename_component(prefix "${file}" DIRECTORY)
        get_filename_component(prefix "${prefix}" DIRECTORY)
    endif()
    if(EXISTS "${file}" OR IS_SYMLINK "${file}")
        message(STATUS "Removing: ${file}")
        file(REMOVE "${file}")
    endif()
    get_filename_component(folder "${file}" DIRECTORY)
    list(APPEND folders "${folder}")
endforeach()

# What the program writes in its own folder while it runs there, and the files a write killed
# before its rename left under a fresh name (refresh1.bmp.Ab12Cd, Cd_cfg.ini.x9Y8z7).
if(DEFINED program_folder)
    file(GLOB made "${program_folder}/cd*_tmp.bmp" "${program_folder}/CD8_tmp.bmp" "${program_folder}/refresh*.bmp"
        "${program_folder}/tst.bmp" "${program_folder}/orbalin.lock" "${program_folder}/QtProject.conf"
        "${program_folder}/orbalin-probe-*" "${program_folder}/*.bmp.??????" "${program_folder}/*.ini.??????"
        "${program_folder}/*.obn.??????")
    foreach(file IN LISTS made)
        message(STATUS "Removing: ${file}")
        file(REMOVE "${file}")
    endforeach()
    list(APPEND folders "${program_folder}/hlp-obn7000" "${program_folder}")
endif()

# Folders emptied by the removal and their emptied parents inside the prefix, deepest first; a
# folder holding anything else stays.
list(REMOVE_DUPLICATES folders)
list(SORT folders ORDER DESCENDING)
foreach(folder IN LISTS folders)
    while(IS_DIRECTORY "${folder}" AND DEFINED prefix)
        string(FIND "${folder}" "${prefix}/" at)
        if(NOT at EQUAL 0)
            break()
        endif()
        file(GLOB left "${folder}/*" "${folder}/.*")
        if(left)
            break()
        endif()
        execute_process(COMMAND rmdir "${folder}" ERROR_QUIET)
        get_filename_component(folder "${folder}" DIRECTORY)
    endwhile()
endforeach()
