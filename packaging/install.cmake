# Installing the suite as a desktop citizen: the programs and kvbtool into
# bin/, and under share/ the menu entries, the icons, the software centres'
# descriptions, the book file type, the file managers' thumbnailer entry, the
# manual pages and bash completion; `cpack -G DEB` makes a Debian package of
# the same files. A program's menu entry, icon and description come with it
# only when the program is built and has a window.
include(GNUInstallDirs)

set(VELLORAN_PACKAGING ${CMAKE_CURRENT_LIST_DIR})
set(VELLORAN_DESKTOP_PROGRAMS bindery leafreader harvester glancer retoner retouch)

# velloran_install_for_prefix(TEMPLATE file DESTINATION dir): installs a
# template with @VELLORAN_BINDIR@ replaced by the bin folder of the prefix
# given at install time (cmake --install --prefix, or /usr in the package),
# so menu entries and the thumbnailer start the installed programs even when
# that folder is not on PATH. A folder whose name would need quoting in an
# Exec line falls back to the bare program name, looked up on PATH.
function(velloran_install_for_prefix)
  cmake_parse_arguments(ARG "" "TEMPLATE;DESTINATION" "" ${ARGN})
  get_filename_component(name ${ARG_TEMPLATE} NAME)
  string(REGEX REPLACE "\\.in$" "" name ${name})
  install(CODE "
    set(VELLORAN_BINDIR \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\")
    if(NOT VELLORAN_BINDIR MATCHES \"^[A-Za-z0-9/._+-]+$\")
      set(VELLORAN_BINDIR \"\")
    endif()
    string(MD5 staged \"\${CMAKE_INSTALL_PREFIX}\")
    set(staged \"${CMAKE_BINARY_DIR}/packaging/\${staged}/${name}\")
    configure_file(\"${ARG_TEMPLATE}\" \"\${staged}\" @ONLY)
    file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${ARG_DESTINATION}\" TYPE FILE FILES \"\${staged}\")
  ")
endfunction()

foreach(program ${VELLORAN_DESKTOP_PROGRAMS})
  if(NOT TARGET ${program})
    continue()
  endif()
  install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # A program built as a command line only (Retoner's batch mode before its
  # window) gets no menu entry.
  velloran_find_link(TARGET ${program} LIBRARY Qt6::Widgets RESULT window)
  if(window)
    velloran_install_for_prefix(TEMPLATE ${VELLORAN_PACKAGING}/applications/velloran-${program}.desktop.in
                                DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${VELLORAN_PACKAGING}/icons/velloran-${program}.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    install(FILES ${VELLORAN_PACKAGING}/metainfo/org.velloran.${program}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  endif()
endforeach()

# Manual pages: roff under packaging/man/, the version filled in and
# compressed as Debian wants them (gzip -9n: no name or time stored).
set(VELLORAN_MAN_PAGES kvbtool.1 kvb.5)
foreach(program ${VELLORAN_DESKTOP_PROGRAMS})
  if(TARGET ${program})
    list(APPEND VELLORAN_MAN_PAGES ${program}.1)
  endif()
endforeach()
set(VERSION ${PROJECT_VERSION})
set(man_built "")
foreach(page ${VELLORAN_MAN_PAGES})
  set(staged ${CMAKE_BINARY_DIR}/packaging/man/${page})
  configure_file(${VELLORAN_PACKAGING}/man/${page} ${staged} @ONLY)
  add_custom_command(OUTPUT ${staged}.gz COMMAND gzip -9nkf ${staged} DEPENDS ${staged} VERBATIM)
  list(APPEND man_built ${staged}.gz)
  string(REGEX REPLACE ".*\\." "" section ${page})
  install(FILES ${staged}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endforeach()
add_custom_target(manpages ALL DEPENDS ${man_built})

# Bash completion, loaded by the command's name when it is first completed.
foreach(command kvbtool harvester retoner retouch)
  if(command STREQUAL kvbtool OR TARGET ${command})
    install(FILES ${VELLORAN_PACKAGING}/completion/${command}
            DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
  endif()
endforeach()

install(TARGETS kvbtool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${VELLORAN_PACKAGING}/mime/velloran-kvb.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${VELLORAN_PACKAGING}/icons/application-x-kvb-book.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes)
velloran_install_for_prefix(TEMPLATE ${VELLORAN_PACKAGING}/kvb.thumbnailer.in
                            DESTINATION ${CMAKE_INSTALL_DATADIR}/thumbnailers)

# The package's maintainer; whoever builds a package for others names
# themselves here (-DVELLORAN_MAINTAINER="Name <address>").
set(VELLORAN_MAINTAINER "Velloran developers <maintainers@velloran.invalid>" CACHE STRING
    "Maintainer named by the Debian package and its changelog")

# Documents under share/doc/velloran, the package's name as Debian has it:
# the README, the licence as a machine-readable copyright file (made from
# LICENSE) and the changelog, compressed.
set(VELLORAN_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/velloran)
file(STRINGS ${CMAKE_SOURCE_DIR}/LICENSE license_lines)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/LICENSE)
set(VELLORAN_LICENSE_TEXT "")
set(past_notice FALSE)
foreach(line IN LISTS license_lines)
  if(NOT past_notice)
    # The title and the copyright line go to the copyright file's header.
    if(line MATCHES "^Copyright \\(c\\) (.*)$")
      set(VELLORAN_COPYRIGHT ${CMAKE_MATCH_1})
      set(past_notice TRUE)
    endif()
    continue()
  endif()
  if(line STREQUAL "")
    string(APPEND VELLORAN_LICENSE_TEXT " .\n")
  else()
    string(APPEND VELLORAN_LICENSE_TEXT " ${line}\n")
  endif()
endforeach()
string(REGEX REPLACE "^ \\.\n" "" VELLORAN_LICENSE_TEXT "${VELLORAN_LICENSE_TEXT}")
string(REGEX REPLACE "\n$" "" VELLORAN_LICENSE_TEXT "${VELLORAN_LICENSE_TEXT}")
configure_file(${VELLORAN_PACKAGING}/debian/copyright.in ${CMAKE_BINARY_DIR}/packaging/doc/copyright @ONLY)
configure_file(${VELLORAN_PACKAGING}/debian/changelog.in ${CMAKE_BINARY_DIR}/packaging/doc/changelog @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/doc/changelog.gz
                   COMMAND gzip -9nkf ${CMAKE_BINARY_DIR}/packaging/doc/changelog
                   DEPENDS ${CMAKE_BINARY_DIR}/packaging/doc/changelog VERBATIM)
add_custom_target(changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/packaging/doc/changelog.gz)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_BINARY_DIR}/packaging/doc/copyright
              ${CMAKE_BINARY_DIR}/packaging/doc/changelog.gz
        DESTINATION ${VELLORAN_DOCDIR})

# The Debian package. dpkg-shlibdeps finds the libraries the programs link
# (Qt 6, OpenCV, libjpeg-turbo, OpenMP); what they start or only load at run
# time is named here.
set(CPACK_PACKAGE_NAME velloran)
set(CPACK_PACKAGE_VENDOR Velloran)
set(CPACK_PACKAGE_CONTACT "${VELLORAN_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "page-image book suite: editor, reader, batch packer and image tools")
# Lines of the extended description stay within 80 columns.
set(CPACK_PACKAGE_DESCRIPTION [=[
Programs for books kept as page images in single .kvb files, each page the
JPEG, PNG or BMP file byte for byte:
 - Bindery edits books;
 - Leafreader reads them as single pages or two-page spreads;
 - Harvester packs PDFs, image folders and books in batches;
 - Glancer previews a folder of images as a book;
 - Retoner converts page images through colour or monochrome tone chains;
 - Retouch removes the vertical stripes of a dirty scanner.
kvbtool is the book library on the command line. The windows speak Japanese.]=])
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# Installed through DESTDIR with the prefix /usr, so the menu entries and the
# thumbnailer name /usr/bin and not the staging folder.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, poppler-utils, fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, shared-mime-info, desktop-file-utils, xdg-utils")
configure_file(${VELLORAN_PACKAGING}/debian/postinst.in ${CMAKE_BINARY_DIR}/packaging/debian/postinst @ONLY)
configure_file(${VELLORAN_PACKAGING}/debian/postrm.in ${CMAKE_BINARY_DIR}/packaging/debian/postrm @ONLY)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_BINARY_DIR}/packaging/debian/postinst ${CMAKE_BINARY_DIR}/packaging/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
set(CPACK_GENERATOR DEB)
include(CPack)

add_subdirectory(${VELLORAN_PACKAGING}/tests ${CMAKE_BINARY_DIR}/packaging/tests)
