# The program as a Debian package (scripts/package.sh runs cpack in the build
# tree), installed for every user of a machine:
#   /usr/lib/kartoteka/kartoteka        the executable
#   /usr/lib/kartoteka/7z.so            -> ../p7zip/7z.so (Debian's p7zip-full)
#   /usr/bin/kartoteka                  -> ../lib/kartoteka/kartoteka
#   /usr/share/applications, icons, metainfo, man, doc/kartoteka
# The package is the install component "package": `cmake --install` leaves
# it out (EXCLUDE_FROM_ALL) and makes a portable program directory as ever.
# Without the marker file ".portable" beside the executable the program keeps
# each user's cards in their own data folder (storage/ProgramDir.h), so
# nothing is ever written under /usr.

set(KARTOTEKA_PACKAGE_NAME kartoteka)
set(KARTOTEKA_APP_ID cz.pelvarin.kartoteka)
set(program_dir lib/kartoteka)
set(staging ${CMAKE_BINARY_DIR}/packaging)
set(desktop ${CMAKE_SOURCE_DIR}/resources/desktop)
file(MAKE_DIRECTORY ${staging})

function(package_files destination)
  install(FILES ${ARGN} DESTINATION ${destination} COMPONENT package EXCLUDE_FROM_ALL)
endfunction()

install(TARGETS kartoteka RUNTIME DESTINATION ${program_dir} COMPONENT package EXCLUDE_FROM_ALL)
# Relative links, made in the build tree and installed as links.
file(CREATE_LINK ../p7zip/7z.so ${staging}/7z.so SYMBOLIC)
file(CREATE_LINK ../lib/kartoteka/kartoteka ${staging}/kartoteka SYMBOLIC)
package_files(${program_dir} ${staging}/7z.so)
package_files(bin ${staging}/kartoteka)

# The menu entry starts the program on the PATH.
set(KARTOTEKA_EXEC kartoteka)
set(KARTOTEKA_TRYEXEC kartoteka)
configure_file(${desktop}/${KARTOTEKA_APP_ID}.desktop.in ${staging}/${KARTOTEKA_APP_ID}.desktop @ONLY)
package_files(share/applications ${staging}/${KARTOTEKA_APP_ID}.desktop)
install(DIRECTORY ${desktop}/icons/ DESTINATION share/icons COMPONENT package EXCLUDE_FROM_ALL)
package_files(share/metainfo ${desktop}/${KARTOTEKA_APP_ID}.metainfo.xml)

# Compressed the Debian way: gzip -9n (no name, no time stamp).
function(gzip_for_package source target)
  execute_process(COMMAND gzip -9nc ${source} OUTPUT_FILE ${target} COMMAND_ERROR_IS_FATAL ANY)
endfunction()
gzip_for_package(${CMAKE_CURRENT_LIST_DIR}/changelog ${staging}/changelog.Debian.gz)
gzip_for_package(${CMAKE_CURRENT_LIST_DIR}/kartoteka.1 ${staging}/kartoteka.1.gz)
package_files(share/doc/${KARTOTEKA_PACKAGE_NAME}
              ${CMAKE_CURRENT_LIST_DIR}/copyright ${staging}/changelog.Debian.gz)
package_files(share/man/man1 ${staging}/kartoteka.1.gz)

set(CPACK_GENERATOR DEB)
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};package;/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_NAME ${KARTOTEKA_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Pelvarin <kartoteka@pelvarin.cz>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "card index with tables, notes and pictures")
# Below the synopsis (the summary above); CPack indents each line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Pelvarin Kartoteka is a single-user desktop card index with a Czech user
interface. Each card is one Zip file holding a key/value table, free notes
and at most one picture. Cards can be browsed, searched by name and content
and printed.
.
Each user's cards live in their own data folder, ~/.local/share/kartoteka.")
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://kartoteka.pelvarin.cz")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "p7zip-full")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-image-formats-plugins, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
# Files 0644, folders and programs 0755, whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${CMAKE_CURRENT_LIST_DIR}/changelog ${CMAKE_CURRENT_LIST_DIR}/kartoteka.1)
