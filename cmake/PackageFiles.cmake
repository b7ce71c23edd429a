# The files a Debian package needs besides the programs: a machine-readable
# copyright file, the Debian changelog and the manual pages, the last two
# compressed; and the folder bash-completion reads. Each gzip'd file is made by
# the target qa_package_files.
set(QA_MAINTAINER "Quillory Album developers <dev@quillory.example>")
set(QA_PACKAGE_FILES_DIR ${CMAKE_BINARY_DIR}/package-files)

# The copyright file, from LICENSE: its copyright line and its terms as the Expat licence.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE qa_license)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)\n" qa_match "${qa_license}")
set(qa_copyright_holder "${CMAKE_MATCH_1}")
string(FIND "${qa_license}" "${qa_match}" qa_at)
string(LENGTH "${qa_match}" qa_length)
math(EXPR qa_at "${qa_at} + ${qa_length}")
string(SUBSTRING "${qa_license}" ${qa_at} -1 qa_license_terms)
string(STRIP "${qa_license_terms}" qa_license_terms)
string(REPLACE "\n\n" "\n.\n" qa_license_terms "${qa_license_terms}")
string(REPLACE "\n" "\n " qa_license_terms "${qa_license_terms}")
file(CONFIGURE OUTPUT ${QA_PACKAGE_FILES_DIR}/copyright @ONLY CONTENT [[
Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Quillory Album
Upstream-Contact: @QA_MAINTAINER@
Source: https://www.quillory.de/

Files: *
Copyright: @qa_copyright_holder@
License: Expat
 @qa_license_terms@
]])

# gzip -9n: the smallest file, without the name and time stamp that would make
# two builds differ. The copy keeps gzip from touching the source.
function(qa_gzipped source gzipped)
  get_filename_component(name ${gzipped} NAME_WLE)
  get_filename_component(folder ${gzipped} DIRECTORY)
  add_custom_command(OUTPUT ${gzipped}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${folder}/${name}
    COMMAND gzip -9nf ${folder}/${name}
    DEPENDS ${source}
    VERBATIM)
  set_property(GLOBAL APPEND PROPERTY QA_PACKAGE_FILES ${gzipped})
endfunction()

# A program into bin/, without the compiler's identification (.comment), which
# a stripped program still carries and Debian leaves out.
function(qa_install_program component target)
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT ${component})
  set(program "\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${target}")
  install(CODE "execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment \"${program}\"
                                COMMAND_ERROR_IS_FATAL ANY)"
          COMPONENT ${component})
endfunction()

# share/doc/PACKAGE/copyright and changelog.gz, as Debian has them in every package.
function(qa_install_debian_docs component package)
  set(changelog ${QA_PACKAGE_FILES_DIR}/${package}/changelog.gz)
  qa_gzipped(${PROJECT_SOURCE_DIR}/packaging/changelog ${changelog})
  install(FILES ${QA_PACKAGE_FILES_DIR}/copyright ${changelog}
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package} COMPONENT ${component})
endfunction()

# packaging/PACKAGE.lintian-overrides, each override with its reason, where lintian reads it.
function(qa_install_lintian_overrides component package)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/${package}.lintian-overrides
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides RENAME ${package} COMPONENT ${component})
endfunction()

# docs/man/NAME.1, compressed, into man1.
function(qa_install_man_page component name)
  set(page ${QA_PACKAGE_FILES_DIR}/man/${name}.1.gz)
  qa_gzipped(${PROJECT_SOURCE_DIR}/docs/man/${name}.1 ${page})
  install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${component})
endfunction()

# A bash completion, installed as COMMAND into the folder bash-completion
# names (pkg-config), relative to its prefix; its usual place when it says none.
function(qa_install_bash_completion component file command)
  set(folder ${CMAKE_INSTALL_DATAROOTDIR}/bash-completion/completions)
  find_program(QA_PKG_CONFIG NAMES pkg-config pkgconf)
  if(QA_PKG_CONFIG)
    execute_process(COMMAND ${QA_PKG_CONFIG} --variable=prefix bash-completion
                    OUTPUT_VARIABLE prefix OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    execute_process(COMMAND ${QA_PKG_CONFIG} --variable=completionsdir bash-completion
                    OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    string(LENGTH "${prefix}/" length)
    string(SUBSTRING "${found}" 0 ${length} start)
    if(prefix AND start STREQUAL "${prefix}/")
      string(SUBSTRING "${found}" ${length} -1 folder)
    endif()
  endif()
  install(FILES ${file} DESTINATION ${folder} RENAME ${command} COMPONENT ${component})
endfunction()
