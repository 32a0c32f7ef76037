# The installed files that name the install prefix, written when installing so
# that `cmake --install --prefix DIR` names DIR: the settings a new user starts
# from and the desktop entry. Then the MIME database learns the GPF type.
include(${PICTAVO_PACKAGING}/default_settings.cmake)

set(bindir "${CMAKE_INSTALL_PREFIX}/${PICTAVO_BINDIR}")
set(datadir "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${PICTAVO_DATADIR}")

message(STATUS "Installing: ${datadir}/pictavo/Pictavo.ini")
pictavo_write_default_settings("${datadir}/pictavo/Pictavo.ini" "${bindir}/pictavo-convert")

set(PICTAVO_EXEC "${bindir}/pictavo %f")
if(bindir MATCHES " ")
  set(PICTAVO_EXEC "\"${bindir}/pictavo\" %f")
endif()
message(STATUS "Installing: ${datadir}/applications/pictavo.desktop")
configure_file(${PICTAVO_PACKAGING}/pictavo.desktop.in "${datadir}/applications/pictavo.desktop" @ONLY)

find_program(update_mime_database update-mime-database)
if(update_mime_database AND "$ENV{DESTDIR}" STREQUAL "")
  execute_process(COMMAND ${update_mime_database} "${datadir}/mime" OUTPUT_QUIET ERROR_QUIET)
endif()
