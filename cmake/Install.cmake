# What `cmake --install` puts under the prefix, in the GNU install directories,
# and the two Debian packages CPack makes of the same: qalbum (the command line
# with what a desktop needs to type and preview picture databases; no Qt) and
# quillory-album (the window). Only the programs and their files are installed:
# no test, benchmark, build tool or stand-in library. The icon theme's PNG files
# are installed where they are drawn (tools/CMakeLists.txt).
include(GNUInstallDirs)

set(QA_INSTALL_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/quillory-album)
# The window's own files: its help page. Found relative to bin/, this folder tells
# an installed program from a portable one, so it must not lie under doc/, which
# minimal systems leave out.
set(QA_INSTALL_DATA_DIR ${CMAKE_INSTALL_DATAROOTDIR}/quillory-album)

if(NOT UNIX OR APPLE)
  install(TARGETS qalbum RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  if(TARGET QuilloryAlbum)
    install(TARGETS QuilloryAlbum RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES resources/QuilloryAlbum.htm DESTINATION ${QA_INSTALL_DATA_DIR})
  endif()
  install(FILES README.md LICENSE CHANGELOG.md DESTINATION ${QA_INSTALL_DOC_DIR})
  return()
endif()

include(cmake/PackageFiles.cmake)

# The command line, and what lets a file manager type, preview and complete picture databases.
qa_install_program(qalbum qalbum)
qa_install_debian_docs(qalbum qalbum)
qa_install_man_page(qalbum qalbum)
install(FILES packaging/quillory-album.xml DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/mime/packages COMPONENT qalbum)
install(FILES packaging/quillory-album.thumbnailer DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/thumbnailers
        COMPONENT qalbum)
qa_install_bash_completion(qalbum packaging/qalbum.bash-completion qalbum)

# The window: its help page and documents, and what a desktop needs to offer it.
if(TARGET QuilloryAlbum)
  qa_install_program(window QuilloryAlbum)
  qa_install_debian_docs(window quillory-album)
  qa_install_lintian_overrides(window quillory-album)
  qa_install_man_page(window QuilloryAlbum)
  install(FILES resources/QuilloryAlbum.htm DESTINATION ${QA_INSTALL_DATA_DIR} COMPONENT window)
  install(FILES README.md CHANGELOG.md DESTINATION ${QA_INSTALL_DOC_DIR} COMPONENT window)
  install(FILES packaging/quillory-album.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications
          COMPONENT window)
  install(FILES packaging/de.quillory.album.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo
          COMPONENT window)
  install(FILES resources/icons/quillory-album.svg DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps
          COMPONENT window)
endif()

get_property(package_files GLOBAL PROPERTY QA_PACKAGE_FILES)
add_custom_target(qa_package_files ALL DEPENDS ${package_files})

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL qalbum)
if(TARGET QuilloryAlbum)
  list(APPEND CPACK_COMPONENTS_ALL window)
endif()
set(CPACK_PACKAGE_NAME quillory-album)
set(CPACK_PACKAGE_VENDOR "Quillory")
set(CPACK_PACKAGE_CONTACT "${QA_MAINTAINER}")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.quillory.de/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SOURCE quillory-album)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)

# Each description: the summary line, then lines of at most 80 columns.
set(CPACK_DEBIAN_QALBUM_PACKAGE_NAME qalbum)
set(CPACK_DEBIAN_QALBUM_DESCRIPTION [[convert and export the pictures children drew on Palm OS handhelds
Children drew pictures with the Quillory paint application on Palm OS
handhelds, and every HotSync copied each picture into a Palm backup database.
qalbum converts such a database to BMP or PNG, describes databases and exports
whole backup folders, without a window. It also lets file managers recognise
picture databases and show them as thumbnails, and completes its commands in
bash. The window is in the package quillory-album.]])

set(CPACK_DEBIAN_WINDOW_PACKAGE_NAME quillory-album)
set(CPACK_COMPONENT_WINDOW_DEPENDS qalbum)
# The window's labels are laid out for Arial's metrics; Liberation Sans has them.
set(CPACK_DEBIAN_WINDOW_PACKAGE_RECOMMENDS fonts-liberation)
set(CPACK_DEBIAN_WINDOW_DESCRIPTION [[show and keep the pictures children drew on Palm OS handhelds
Quillory Album reads the pictures children drew with the Quillory paint
application from Palm OS backup databases, shows them, saves them as BMP files
and exports whole albums. It finds the Palm Desktop users of a copied Palm
folder, a Wine prefix or a J-Pilot backup.]])

include(CPack)
