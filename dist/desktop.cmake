# Install-time step: writes the desktop entry with the launcher's full path,
# which is known only once the install prefix is.
set(launcher "${CMAKE_INSTALL_PREFIX}/${RADIOCPS_BINDIR}/radiocps")
set(dest "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${RADIOCPS_DATADIR}/applications")
file(READ "${RADIOCPS_DESKTOP_IN}" text)
string(REPLACE "@LAUNCHER@" "${launcher}" text "${text}")
file(MAKE_DIRECTORY "${dest}")
message(STATUS "Installing: ${dest}/radiocps.desktop")
file(WRITE "${dest}/radiocps.desktop" "${text}")
