# What `cmake --install` puts where. Two layouts:
# - a folder of its own (the default; scripts/run.sh installs into ~/Vireo): the program, its
#   icon, the manual (Russian and English) and the shipped contest definitions side by side, where the program also
#   keeps settings.ini and, started there, its log;
# - VIREO_FHS_INSTALL=ON, for the Debian package: /usr/bin/vireo, the shipped files in
#   /usr/share/vireo, the menu entry and the icon in the hicolor theme (debian/ adds the copyright
#   file). The program then keeps the listener's files in the XDG folders.
option(VIREO_FHS_INSTALL "Install into bin/ and share/ (the Debian package) instead of one folder" OFF)

if(VIREO_FHS_INSTALL)
  include(GNUInstallDirs)
  set(_share ${CMAKE_INSTALL_DATADIR}/vireo)
  install(TARGETS vireo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${VIREO_MANUAL_PDF} ${VIREO_MANUAL_EN_PDF} DESTINATION ${_share})
  install(FILES ${PROJECT_SOURCE_DIR}/data/vireo.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  # The menu entry of the package: the program found on the PATH, the icon from the theme.
  file(READ ${PROJECT_SOURCE_DIR}/data/vireo.desktop.in _entry)
  string(REPLACE "Exec=@HOME@/vireo" "Exec=vireo" _entry "${_entry}")
  string(REPLACE "Icon=@HOME@/vireo.svg" "Icon=vireo" _entry "${_entry}")
  string(REGEX REPLACE "Path=@HOME@\n" "" _entry "${_entry}")
  file(WRITE ${PROJECT_BINARY_DIR}/vireo.desktop "${_entry}")
  install(FILES ${PROJECT_BINARY_DIR}/vireo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
else()
  set(_share .)
  install(TARGETS vireo RUNTIME DESTINATION .)
  install(FILES ${PROJECT_SOURCE_DIR}/data/vireo.svg DESTINATION .)
  install(FILES ${VIREO_MANUAL_PDF} ${VIREO_MANUAL_EN_PDF} DESTINATION .)
endif()
# The folder the shipped files went to, for whatever else installs with them.
set(VIREO_SHARE_DESTINATION ${_share})
