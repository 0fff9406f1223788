# The windows' texts are written in Japanese; English translations live in
# .ts files beside the code (<folder>/translations/<name>_en.ts), compiled
# to .qm files in the build's translations/ folder (where the programs look
# for them, beside their own folders) and installed to
# share/velloran/translations.
#
# After changing texts in the code, `cmake --build build --target
# update_translations` brings every .ts file up to date with the code (new
# texts arrive unfinished, to be translated; texts gone are dropped).
find_program(VELLORAN_LRELEASE NAMES lrelease lrelease-qt6 HINTS /usr/lib/qt6/bin ${QT6_INSTALL_PREFIX}/bin REQUIRED)
find_program(VELLORAN_LUPDATE NAMES lupdate lupdate-qt6 HINTS /usr/lib/qt6/bin ${QT6_INSTALL_PREFIX}/bin REQUIRED)
set(VELLORAN_TRANSLATIONS_DIR ${CMAKE_BINARY_DIR}/translations)
add_custom_target(update_translations)
# The options both the update and the translation test give lupdate, so the
# test sees exactly what an update would write.
set(VELLORAN_LUPDATE_OPTIONS -silent -locations none -no-obsolete -source-language ja -target-language en -extensions cpp,h)
# What the translation test reads, tab-separated: a line "lupdate", the tool
# and its options; then per .ts file a line "ts", the file and the source
# folders it covers (lists semicolon-separated).
set(VELLORAN_TRANSLATION_LIST ${VELLORAN_TRANSLATIONS_DIR}/translations.txt)
file(WRITE ${VELLORAN_TRANSLATION_LIST} "lupdate\t${VELLORAN_LUPDATE}\t${VELLORAN_LUPDATE_OPTIONS}\n")

# velloran_add_translation(TS file SOURCES folders...): compiles the .ts file
# (the texts of the code under the folders) into the build and installs it.
function(velloran_add_translation)
  cmake_parse_arguments(ARG "" "TS" "SOURCES" ${ARGN})
  get_filename_component(name ${ARG_TS} NAME_WE)
  set(qm ${VELLORAN_TRANSLATIONS_DIR}/${name}.qm)
  add_custom_command(OUTPUT ${qm}
    COMMAND ${VELLORAN_LRELEASE} -silent -removeidentical ${ARG_TS} -qm ${qm}
    DEPENDS ${ARG_TS}
    COMMENT "Compiling the ${name} texts")
  add_custom_target(translation_${name} ALL DEPENDS ${qm})
  install(FILES ${qm} DESTINATION ${CMAKE_INSTALL_DATADIR}/velloran/translations)
  add_custom_target(update_translation_${name}
    COMMAND ${VELLORAN_LUPDATE} ${VELLORAN_LUPDATE_OPTIONS} ${ARG_SOURCES} -ts ${ARG_TS}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    VERBATIM)
  add_dependencies(update_translations update_translation_${name})
  file(APPEND ${VELLORAN_TRANSLATION_LIST} "ts\t${ARG_TS}\t${ARG_SOURCES}\n")
endfunction()
