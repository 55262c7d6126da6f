# Install rules and the Debian package. `cmake --install` puts the programs where Debian
# keeps games (<prefix>/games), the menu entry, icons, AppStream metadata and manual pages
# under <prefix>/share; `cpack -G DEB` wraps the same tree into quarn_<version>_<arch>.deb.
# Included at the end of the top-level CMakeLists.txt, after every target exists.

include(GNUInstallDirs)
# Debian wants the documentation under the package's name, which is lower case unlike the
# project's (CMAKE_INSTALL_DOCDIR's default; Qt's packages have cached it before this runs).
set(quarn_docdir ${CMAKE_INSTALL_DATAROOTDIR}/doc/quarn)
set(QUARN_INSTALL_GAMESDIR "games" CACHE STRING
    "Where quarn and quarn-host are installed, relative to the prefix (Debian's /usr/games)")

set(quarn_packaging ${PROJECT_SOURCE_DIR}/packaging)
set(quarn_staged ${PROJECT_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${quarn_staged})
set(quarn_id com.korvex.Quarn)

foreach(program quarn quarn-host)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION ${QUARN_INSTALL_GAMESDIR})
    endif()
endforeach()

# The audio module, which the program loads on the first sound, in a folder of its own
# under the library folder. The program finds it by the path from the games folder to that
# folder, compiled in: relative, so a prefix moved as a whole (cpack's /usr) still works.
if(TARGET quarn_audio)
    install(TARGETS quarn_audio LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/quarn)
    if(IS_ABSOLUTE "${QUARN_INSTALL_GAMESDIR}")
        set(quarn_games_full ${QUARN_INSTALL_GAMESDIR})
    else()
        set(quarn_games_full ${CMAKE_INSTALL_PREFIX}/${QUARN_INSTALL_GAMESDIR})
    endif()
    file(RELATIVE_PATH quarn_audio_from_games ${quarn_games_full} ${CMAKE_INSTALL_FULL_LIBDIR}/quarn)
    target_compile_definitions(quarn_client PRIVATE QUARN_AUDIO_MODULE_DIR="${quarn_audio_from_games}")
endif()

# The menu entry starts the program by its full path: a games folder under a prefix of the
# user's own is not on the desktop's PATH. The path is known only when installing (cpack
# installs under its own prefix), so the entry is written then.
install(CODE "
    if(IS_ABSOLUTE \"${QUARN_INSTALL_GAMESDIR}\")
        set(QUARN_DESKTOP_EXEC \"${QUARN_INSTALL_GAMESDIR}/quarn\")
    else()
        set(QUARN_DESKTOP_EXEC \"\${CMAKE_INSTALL_PREFIX}/${QUARN_INSTALL_GAMESDIR}/quarn\")
    endif()
    configure_file(\"${quarn_packaging}/${quarn_id}.desktop.in\" \"${quarn_staged}/${quarn_id}.desktop\" @ONLY)
")
install(FILES ${quarn_staged}/${quarn_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${quarn_packaging}/${quarn_id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Icons: the scalable original and its renderings, made by tools/icons/make_icons.py.
set(quarn_icons ${PROJECT_SOURCE_DIR}/resources/icons)
install(FILES ${quarn_icons}/${quarn_id}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 32 48 64 128 256)
    install(FILES ${quarn_icons}/${quarn_id}-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${quarn_id}.png)
endforeach()

# Manual pages and the changelog are compressed without a name or time stamp (gzip -n), so
# that the same sources always give the same package.
find_program(QUARN_GZIP gzip)
function(quarn_install_compressed source destination)
    get_filename_component(name ${source} NAME)
    if(QUARN_GZIP)
        install(CODE "execute_process(COMMAND \"${QUARN_GZIP}\" -9n -c \"${source}\"
                                      OUTPUT_FILE \"${quarn_staged}/${name}.gz\" COMMAND_ERROR_IS_FATAL ANY)")
        install(FILES ${quarn_staged}/${name}.gz DESTINATION ${destination})
    else()
        install(FILES ${source} DESTINATION ${destination})
    endif()
endfunction()
quarn_install_compressed(${quarn_packaging}/man/quarn.6 ${CMAKE_INSTALL_MANDIR}/man6)
quarn_install_compressed(${quarn_packaging}/man/quarn-host.6 ${CMAKE_INSTALL_MANDIR}/man6)
quarn_install_compressed(${quarn_packaging}/changelog ${quarn_docdir})

# The copyright file: the program's licence, then the word list's notices.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE quarn_licence)
file(READ ${PROJECT_SOURCE_DIR}/resources/wordlist/LICENSE quarn_wordlist_licence)
string(CONCAT quarn_copyright "Quarn\nHomepage: http://www.korvex.com/quarn\n\n" "${quarn_licence}" "\n"
       "-------------------------------------------------------------------------------\n"
       "The word list (resources/wordlist/ in the source) is derived from SCOWL:\n\n" "${quarn_wordlist_licence}")
file(WRITE ${quarn_staged}/copyright "${quarn_copyright}")
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/resources/wordlist/LICENSE)
install(FILES ${quarn_staged}/copyright DESTINATION ${quarn_docdir})

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quarn)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Quarn developers")
set(CPACK_PACKAGE_CONTACT "The Quarn developers <quarn@korvex.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "two-player word game with spectators, chat and a computer opponent")
# Written as Debian wants it: lines of at most 80 characters, "" for an empty line.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Each player owns a board of ten cells and six private letters, and morphs"
    "the word on the board into the next one: place a letter, discard, steal a"
    "letter from the opponent's board or rearrange the own board. Every new"
    "dictionary word scores the sum of its letters, multiplied for long words."
    ""
    "Play alone against the computer, host a game on the network or join one;"
    "up to seven more people watch and chat. The package also holds quarn-host,"
    "the game host without a window, for servers.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Quarn developers <quarn@korvex.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://www.korvex.com/quarn")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# A source package is not made this way; keep builds and the repository out of it anyway.
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/")
include(CPack)
