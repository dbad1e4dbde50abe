# Runs at install time, inside the install script: CMAKE_INSTALL_PREFIX is the prefix of this
# install run, and DESTDIR, when set, stages everything below it.
set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(programs marvane marvedit)

# The programs read and write the map beside themselves, unless each user has their own. A map
# already there is the user's, edited or not: it is kept, and it stays out of the manifest so that
# removing the files the manifest lists leaves it alone.
set(map "${root}/lib/marvane/mapa.txt")
if(MARV_USER_MAP)
    # The sample is installed as an ordinary file, in share/marvane/.
elseif(EXISTS "${map}")
    message(STATUS "Keeping the existing map: ${map}")
else()
    message(STATUS "Installing: ${map}")
    file(MAKE_DIRECTORY "${root}/lib/marvane")
    file(COPY_FILE "${MARV_SAMPLE_MAP}" "${map}")
endif()

# A relative link keeps working when the whole prefix moves or is staged under DESTDIR.
file(MAKE_DIRECTORY "${root}/bin")
foreach(program IN LISTS programs)
    set(link "${root}/bin/${program}")
    message(STATUS "Installing: ${link}")
    file(REMOVE "${link}")
    file(CREATE_LINK "../${MARV_PROGRAM_DIR}/${program}" "${link}" SYMBOLIC)
    # Like CMake's own entries, the manifest names the final place, without DESTDIR.
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${CMAKE_INSTALL_PREFIX}/bin/${program}")
endforeach()

# An Exec argument with anything but plain path characters goes in double quotes, with " ` $ \
# escaped by a backslash; the file's own string escaping then doubles every backslash. A % is
# written %%.
function(marv_exec_argument path out)
    if(path MATCHES "^[A-Za-z0-9/._+,=:@-]+$")
        set(${out} "${path}" PARENT_SCOPE)
        return()
    endif()
    string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" quoted "${path}")
    string(REPLACE "\\" "\\\\" quoted "${quoted}")
    string(REPLACE "%" "%%" quoted "${quoted}")
    set(${out} "\"${quoted}\"" PARENT_SCOPE)
endfunction()

# The menu entries start the installed program where it will finally live, without DESTDIR. Each
# is named by the program's id, as its software-centre metadata and its windows name it.
file(MAKE_DIRECTORY "${root}/share/applications")
foreach(program IN LISTS programs)
    marv_exec_argument("${CMAKE_INSTALL_PREFIX}/bin/${program}" MARV_EXEC)
    set(desktop_id "${MARV_APP_ID_PREFIX}.${program}.desktop")
    set(entry "${root}/share/applications/${desktop_id}")
    message(STATUS "Installing: ${entry}")
    configure_file("${MARV_DESKTOP_TEMPLATES}/${program}.desktop.in" "${entry}" @ONLY)
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES
         "${CMAKE_INSTALL_PREFIX}/share/applications/${desktop_id}")
endforeach()
