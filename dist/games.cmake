# Run by CPack on the staged files: Debian keeps games in /usr/games, while a plain
# `cmake --install` keeps the program in bin/ where PATH finds it.
set(staged "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
file(RENAME "${staged}/bin" "${staged}/games")
