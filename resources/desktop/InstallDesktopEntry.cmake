# Runs at install time: writes the desktop entry for the prefix being installed
# into and installs it into PREFIX/share/applications.

# An argument of an Exec key: quoted when it holds a reserved character, with
# the escapes that the desktop entry format asks for inside quotes and then
# for every string value.
function(desktop_exec_argument text result)
  string(REPLACE "%" "%%" argument "${text}")
  if(argument MATCHES "[ \t\n\"'\\\\><~|&;$*?#()`]")
    string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" argument "${argument}")
    set(argument "\"${argument}\"")
  endif()
  string(REPLACE "\\" "\\\\" argument "${argument}")
  set(${result} "${argument}" PARENT_SCOPE)
endfunction()

get_filename_component(prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
set(program "${prefix}/kartoteka")
desktop_exec_argument("${program}" KARTOTEKA_EXEC)
string(REPLACE "\\" "\\\\" KARTOTEKA_TRYEXEC "${program}")
set(entry "${KARTOTEKA_DESKTOP_STAGING}/${KARTOTEKA_APP_ID}.desktop")
configure_file("${KARTOTEKA_DESKTOP_TEMPLATE}" "${entry}" @ONLY)
file(INSTALL "${entry}" DESTINATION "${prefix}/share/applications")
