# What `cmake --install` puts under the prefix, in the GNU install directories,
# and the Debian package CPack makes of the same. Only the two programs and
# their files are installed: no test, benchmark, build tool or stand-in library.
include(GNUInstallDirs)

set(QA_INSTALL_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/quillory-album)
# The window's own files: its help page. Found relative to bin/, this folder tells
# an installed program from a portable one, so it must not lie under doc/, which
# minimal systems leave out.
set(QA_INSTALL_DATA_DIR ${CMAKE_INSTALL_DATAROOTDIR}/quillory-album)

install(TARGETS qalbum RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET QuilloryAlbum)
  install(TARGETS QuilloryAlbum RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES resources/QuilloryAlbum.htm DESTINATION ${QA_INSTALL_DATA_DIR})
endif()
install(FILES README.md LICENSE CHANGELOG.md DESTINATION ${QA_INSTALL_DOC_DIR})

if(UNIX AND NOT APPLE)
  install(FILES docs/man/qalbum.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  # What a desktop needs to offer the program; only with the program.
  if(TARGET QuilloryAlbum)
    install(FILES docs/man/QuilloryAlbum.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES packaging/quillory-album.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
    install(FILES packaging/de.quillory.album.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
    install(FILES resources/icons/quillory-album.svg
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
    install(DIRECTORY ${QA_ICON_FOLDER}/ DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor)
  endif()

  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGE_NAME quillory-album)
  set(CPACK_PACKAGE_VENDOR "Quillory")
  set(CPACK_PACKAGE_CONTACT "Quillory Album developers <dev@quillory.example>")
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "show and keep the pictures children drew on Palm OS handhelds")
  set(CPACK_PACKAGE_DESCRIPTION
      "Quillory Album reads the pictures children drew with the Quillory paint application from\n"
      "Palm OS backup databases, shows them, saves them as BMP files and exports whole albums.\n"
      "The command-line tool qalbum converts and exports without a window.")
  set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.quillory.de/")
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_STRIP_FILES ON)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The window's labels are laid out for Arial's metrics; Liberation Sans has them.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation")
  set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
  include(CPack)
endif()
