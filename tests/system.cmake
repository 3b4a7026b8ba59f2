# Tests that run the real program under a virtual X server.
add_test(NAME smoke_xvfb
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/smoke_xvfb.sh $<TARGET_FILE:kartoteka> ${KARTOTEKA_7Z_SO})
set_tests_properties(smoke_xvfb PROPERTIES TIMEOUT 120 ENVIRONMENT "LC_ALL=C.UTF-8")
# The desktop files of an installed program directory and their registration.
add_test(NAME desktop_files
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/desktop_files.sh ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR}
          ${PROJECT_VERSION})
set_tests_properties(desktop_files PROPERTIES TIMEOUT 120 ENVIRONMENT "LC_ALL=C.UTF-8")
# What a screen reader reads of the main window and the dialogs (AT-SPI).
add_test(NAME accessible_names
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/accessibility_xvfb.sh $<TARGET_FILE:kartoteka> ${KARTOTEKA_7Z_SO})
set_tests_properties(accessible_names PROPERTIES TIMEOUT 180 ENVIRONMENT "LC_ALL=C.UTF-8")
# The Debian package made from this build: lintian without errors, its files
# and dependencies (installing it is tools/package/install_check.sh, run by hand).
add_test(NAME package_check COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/package_check.sh ${CMAKE_BINARY_DIR})
set_tests_properties(package_check PROPERTIES TIMEOUT 600 ENVIRONMENT "LC_ALL=C.UTF-8")
