#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace ui {

// The languages the windows speak. Japanese is the source language: its texts
// are the ones in the code, and the English ones come from translation files.
enum class Language { Japanese, English };

// The language the environment asks for:
// - VELLORAN_LANG=ja or en decides on its own;
// - else the first entry of LANGUAGE (a colon-separated list) that is
//   Japanese or English;
// - else the locale (LC_ALL, then LC_MESSAGES, then LANG): Japanese for ja_*,
//   C, POSIX or none at all, English for en_* and every other language,
//   whose readers are far likelier to read English than Japanese.
Language languageFromEnvironment(const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());

// The short code of a language ("ja", "en").
QString languageCode(Language language);

// Where the translation files are looked for: the build's translations/
// beside the program folders, then the installed share/velloran/translations.
QStringList translationFolders();

// Loads the texts of `program` ("bindery"...) in `language`: for English the
// suite's shared texts (common_en.qm) and the program's own
// (<program>_en.qm), for Japanese Qt's own texts in Japanese (Qt speaks
// English without help). Replaces what an earlier call loaded. False when a
// file is missing; what was found is used anyway.
bool loadTexts(QStringView program, Language language, const QStringList &folders = translationFolders());

// The same in the language the environment asks for; returns that language.
Language loadTexts(QStringView program);

} // namespace ui
