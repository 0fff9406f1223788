# Installing the suite as a desktop citizen: the programs and kvbtool into
# bin/, and under share/ the menu entries, the icons, the book file type and
# the file managers' thumbnailer entry; `cpack -G DEB` makes a Debian package
# of the same files. A program's menu entry and icon come with it only when
# the program is built and has a window.
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
  endif()
endforeach()

install(TARGETS kvbtool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${VELLORAN_PACKAGING}/mime/velloran-kvb.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${VELLORAN_PACKAGING}/icons/application-x-kvb-book.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes)
velloran_install_for_prefix(TEMPLATE ${VELLORAN_PACKAGING}/kvb.thumbnailer.in
                            DESTINATION ${CMAKE_INSTALL_DATADIR}/thumbnailers)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The Debian package. dpkg-shlibdeps finds the libraries the programs link
# (Qt 6, OpenCV, libjpeg-turbo, OpenMP); what they start or only load at run
# time is named here.
set(CPACK_PACKAGE_NAME velloran)
set(CPACK_PACKAGE_VENDOR Velloran)
set(CPACK_PACKAGE_CONTACT "Velloran <velloran@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Page-image book suite: editor, reader, batch packer and image tools")
set(CPACK_PACKAGE_DESCRIPTION
    "Programs for books kept as page images in single .kvb files: Bindery edits books, Leafreader reads them, Harvester packs PDFs and image folders in batches, Glancer previews image folders, Retoner and Retouch prepare page images. kvbtool is the book library on the command line.")
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
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, poppler-utils, fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, shared-mime-info, desktop-file-utils, xdg-utils")
configure_file(${VELLORAN_PACKAGING}/debian/postinst.in ${CMAKE_BINARY_DIR}/packaging/debian/postinst @ONLY)
configure_file(${VELLORAN_PACKAGING}/debian/postrm.in ${CMAKE_BINARY_DIR}/packaging/debian/postrm @ONLY)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_BINARY_DIR}/packaging/debian/postinst ${CMAKE_BINARY_DIR}/packaging/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
set(CPACK_GENERATOR DEB)
include(CPack)

add_subdirectory(${VELLORAN_PACKAGING}/tests ${CMAKE_BINARY_DIR}/packaging/tests)
