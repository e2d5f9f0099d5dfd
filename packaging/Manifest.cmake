# Run by CPack after it has installed into its staging folder: gives the per-user archive
# the manifest of its files (manifest.sha256, as `sha256sum` writes it). The updater
# replaces a folder only when the manifest lists everything in it, so an unpacked archive
# in a folder of its own can be updated and a prefix shared with other files cannot.
if(NOT CPACK_GENERATOR STREQUAL "TGZ")
    return()
endif()
set(ordner "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
file(GLOB_RECURSE dateien LIST_DIRECTORIES false RELATIVE "${ordner}" "${ordner}/*")
list(SORT dateien)
set(text "")
foreach(datei IN LISTS dateien)
    file(SHA256 "${ordner}/${datei}" summe)
    string(APPEND text "${summe}  ${datei}\n")
endforeach()
file(WRITE "${ordner}/manifest.sha256" "${text}")
