# cmake --install [--prefix DIR]: the programs under bin/, and the licences of
# the fonts, icons and gazetteer they carry under share/doc/Plyx/. Those
# files themselves are compiled into the programs as Qt resources. The
# wallpapers are files the desktop is pointed at, so they are installed as
# files, under share/plyx/wallpapers/, where the programs look for them.
include(GNUInstallDirs)
foreach(_program PlyxWidgets Plyx)
  if(TARGET ${_program})
    install(TARGETS ${_program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()
install(FILES "${CMAKE_SOURCE_DIR}/resources/fonts/OFL-Doto.txt" "${CMAKE_SOURCE_DIR}/resources/fonts/OFL-FragmentMono.txt"
  DESTINATION "${CMAKE_INSTALL_DOCDIR}/fonts")
install(FILES "${CMAKE_SOURCE_DIR}/resources/icons/LICENSE" DESTINATION "${CMAKE_INSTALL_DOCDIR}/icons")
install(FILES "${CMAKE_SOURCE_DIR}/resources/gazetteer/LICENSE-GeoNames.txt" DESTINATION "${CMAKE_INSTALL_DOCDIR}/gazetteer")
install(DIRECTORY "${CMAKE_SOURCE_DIR}/resources/wallpapers/" DESTINATION "${CMAKE_INSTALL_DATADIR}/plyx/wallpapers"
  FILES_MATCHING PATTERN "*.heic" PATTERN "*-thumb.jpg")
