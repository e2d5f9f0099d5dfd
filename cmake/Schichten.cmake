# The layering of the libraries, checked when the build is configured: the logic links
# no GUI, the platform interface no window or application code, a desktop's library no
# other desktop's. A link that breaks it fails the configuration, not a later review.

# Every target `ziel` links, directly or through others (generator expressions read as
# the libraries they name).
function(parlix_verlinkt ziel ergebnis)
    set(offen ${ziel})
    set(gesehen "")
    while(offen)
        list(POP_FRONT offen aktuell)
        if(aktuell IN_LIST gesehen OR NOT TARGET ${aktuell})
            continue()
        endif()
        list(APPEND gesehen ${aktuell})
        get_target_property(typ ${aktuell} TYPE)
        set(links "")
        if(NOT typ STREQUAL "INTERFACE_LIBRARY")
            get_target_property(direkt ${aktuell} LINK_LIBRARIES)
            if(direkt)
                list(APPEND links ${direkt})
            endif()
        endif()
        get_target_property(oeffentlich ${aktuell} INTERFACE_LINK_LIBRARIES)
        if(oeffentlich)
            list(APPEND links ${oeffentlich})
        endif()
        foreach(link IN LISTS links)
            string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
            list(APPEND offen ${link})
        endforeach()
    endwhile()
    list(REMOVE_ITEM gesehen ${ziel})
    set(${ergebnis} ${gesehen} PARENT_SCOPE)
endfunction()

function(parlix_verbiete ziel verboten grund)
    parlix_verlinkt(${ziel} verlinkt)
    if(${verboten} IN_LIST verlinkt)
        message(FATAL_ERROR "${ziel} links ${verboten}: ${grund}")
    endif()
endfunction()

# Includes a link line cannot show: every library shares one include root, so a header
# of a layer above (an interface of the windows, say) compiles without being linked.
# Every `#include "app/..."` in the files of `ordner` (below the source root; `tiefe`
# GLOB or GLOB_RECURSE) must start with one of the regular expressions after `grund`.
function(parlix_erlaube_includes ordner tiefe grund)
    file(${tiefe} dateien ${PROJECT_SOURCE_DIR}/${ordner}/*.cpp ${PROJECT_SOURCE_DIR}/${ordner}/*.hpp)
    foreach(datei IN LISTS dateien)
        file(STRINGS ${datei} zeilen REGEX "^#include \"app/")
        foreach(zeile IN LISTS zeilen)
            string(REGEX REPLACE "^#include \"([^\"]*)\".*$" "\\1" pfad "${zeile}")
            set(erlaubt FALSE)
            foreach(muster IN LISTS ARGN)
                if(pfad MATCHES "^${muster}")
                    set(erlaubt TRUE)
                    break()
                endif()
            endforeach()
            if(NOT erlaubt)
                file(RELATIVE_PATH relativ ${PROJECT_SOURCE_DIR} ${datei})
                message(FATAL_ERROR "${relativ} includes ${pfad}: ${grund}")
            endif()
        endforeach()
    endforeach()
endfunction()

# `plattformen`: the names of the desktop libraries (parlix_platform_<name>).
function(parlix_pruefe_schichten plattformen)
    parlix_erlaube_includes(core GLOB_RECURSE "the logic knows no application code")
    set(schnittstelle "app/platform/[A-Za-z]+\\.hpp$" "app/platform/null/")
    parlix_erlaube_includes(app/platform GLOB
        "the platform interface knows no windows, application code or desktop" ${schnittstelle})
    parlix_erlaube_includes(app/platform/null GLOB
        "the null implementations know the platform interface only" ${schnittstelle})
    parlix_erlaube_includes(app/coordinator GLOB_RECURSE
        "the recording and its pipeline know the platform interface, not the windows"
        ${schnittstelle} "app/coordinator/" "app/stream/")
    parlix_erlaube_includes(app/platform/linux GLOB_RECURSE
        "what X11 and Wayland share knows neither of them" ${schnittstelle} "app/platform/linux/")
    parlix_verbiete(parlix_core Qt6::Gui "the logic library stays free of the GUI")
    parlix_verbiete(parlix_platform_api parlix_app
        "the platform interface knows no windows or application code")
    foreach(name IN LISTS plattformen)
        parlix_erlaube_includes(app/platform/${name} GLOB_RECURSE
            "a desktop library implements the platform interface and includes no other desktop"
            ${schnittstelle} "app/platform/${name}/" "app/platform/linux/")
        parlix_verbiete(parlix_platform_${name} parlix_app
            "a desktop library implements the platform interface only")
        foreach(andere IN LISTS plattformen)
            if(NOT andere STREQUAL name)
                parlix_verbiete(parlix_platform_${name} parlix_platform_${andere}
                    "a desktop library links no other; the loader hands shared services over")
            endif()
        endforeach()
    endforeach()
endfunction()
