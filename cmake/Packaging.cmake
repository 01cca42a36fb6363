# What `cmake --install` puts where, and the packages CPack makes of it: on Linux a
# Debian package, on Windows a zip to unpack anywhere.
include(GNUInstallDirs)

set(CPACK_PACKAGE_VENDOR "The Stampel developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "renames photos and videos after the date-time recorded inside them")
set(CPACK_PACKAGE_HOMEPAGE_URL ${PROJECT_HOMEPAGE_URL})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES ON)

if(WIN32)
  install(TARGETS Stampel RUNTIME DESTINATION .)
  if(STAMPEL_PDF)
    install(FILES ${STAMPEL_PDF} DESTINATION .)
  endif()
  install(FILES README.md CHANGELOG.md DESTINATION .)
  install(FILES LICENSE DESTINATION . RENAME LICENSE.txt)

  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME Stampel-${PROJECT_VERSION}-win64)
else()
  set(docDir ${CMAKE_INSTALL_DATAROOTDIR}/doc/stampel)
  install(TARGETS stampel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES README.md CHANGELOG.md DESTINATION ${docDir})
  install(FILES LICENSE DESTINATION ${docDir} RENAME copyright)

  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_PACKAGE_NAME stampel)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Stampel developers")
  set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
  # The summary above is the first line; these lines follow it.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
      "Stampel reads the date-time stored inside each file (Exif in JPEG and TIFF-based\n"
      "camera raw files, the date chunks of RIFF AVI and WAVE files), writes it through\n"
      "a date-time format and gives the file a new name made of that stem, optionally\n"
      "with the camera model, the image size and an orientation word, the old name and\n"
      "a running counter. It moves or copies, overwrites or picks a free name, walks\n"
      "subdirectories, can set the file times, list a run first and undo it.")
  string(REPLACE ";" "" CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CPACK_DEBIAN_PACKAGE_DESCRIPTION}")
  # The libraries the program needs, as dpkg-shlibdeps finds them in the binary.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()

include(CPack)
