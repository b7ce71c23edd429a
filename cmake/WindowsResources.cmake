# The Win32 window's resources (resources/QuilloryAlbum.rc): icon, version,
# manifest, the pictures it loads by name and the about box's form data.
#
# The form data is written by the host tool make-about-form, which a cross
# build cannot run: the build that makes the window for Windows is given its
# file as QA_ABOUT_FORM_DATA (scripts/check-windows and scripts/package-windows
# do so).
if(WIN32)
  set(QA_ABOUT_FORM_DATA "" CACHE FILEPATH "The about box's form data, written by make-about-form")
endif()

# qa_windows_resources(TARGET): compiles the resources into TARGET on Windows;
# nothing elsewhere.
function(qa_windows_resources target)
  if(NOT WIN32)
    return()
  endif()
  if(NOT QA_ABOUT_FORM_DATA OR NOT EXISTS "${QA_ABOUT_FORM_DATA}")
    message(FATAL_ERROR "The Windows program needs the about box's form data: build make-about-form on the host "
                        "(cmake --build build --target make-about-form), run it and configure this build with "
                        "-DQA_ABOUT_FORM_DATA=<its file> (scripts/check-windows does all of this). "
                        "QA_ABOUT_FORM_DATA is \"${QA_ABOUT_FORM_DATA}\".")
  endif()

  # The generated files beside the checked-in ones: the version header and a
  # copy of the form data under the name the .rc uses (configure_file runs
  # the configure again when the form data changes).
  set(generated ${CMAKE_BINARY_DIR}/windows-resources)
  configure_file(${QA_ABOUT_FORM_DATA} ${generated}/About.qfd COPYONLY)
  file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
  string(REGEX MATCH "Copyright \\(c\\) [^\n]*" copyright "${license}")
  file(CONFIGURE OUTPUT ${generated}/QuilloryAlbumVersion.h @ONLY CONTENT [[
#define QA_VERSION_MAJOR @PROJECT_VERSION_MAJOR@
#define QA_VERSION_MINOR @PROJECT_VERSION_MINOR@
#define QA_VERSION_PATCH @PROJECT_VERSION_PATCH@
#define QA_VERSION_TEXT "@PROJECT_VERSION@"
#define QA_COPYRIGHT "@copyright@"
]])

  set(resources ${PROJECT_SOURCE_DIR}/resources)
  set(rc ${resources}/QuilloryAlbum.rc)
  set(inputs ${resources}/QuilloryAlbum.ico ${resources}/QuilloryAlbum.manifest ${resources}/logo.bmp
             ${generated}/About.qfd ${generated}/QuilloryAlbumVersion.h)
  foreach(i RANGE 6)
    list(APPEND inputs ${resources}/glyph${i}.bmp)
  endforeach()
  target_sources(${target} PRIVATE ${rc})
  # windres finds the files an .rc names on its include path; it writes no
  # dependency file, so every input is named here.
  set_property(SOURCE ${rc} TARGET_DIRECTORY ${target} APPEND PROPERTY INCLUDE_DIRECTORIES ${generated} ${resources})
  set_property(SOURCE ${rc} TARGET_DIRECTORY ${target} APPEND PROPERTY OBJECT_DEPENDS ${inputs})
endfunction()
