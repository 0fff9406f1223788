#pragma once

#include "ui/language.h"

#include <QString>
#include <QStringList>

namespace testsupport {

// A program's English texts, from the build's translations, while this
// lives; Japanese again afterwards, so the other tests of the same program
// read the Japanese texts whatever happens in between.
class EnglishTexts {
public:
    explicit EnglishTexts(QStringView program) : m_program(program.toString())
    {
        loaded = ui::loadTexts(m_program, ui::Language::English, folders());
    }
    ~EnglishTexts() { ui::loadTexts(m_program, ui::Language::Japanese, folders()); }
    EnglishTexts(const EnglishTexts &) = delete;
    EnglishTexts &operator=(const EnglishTexts &) = delete;

    bool loaded = false; // every translation file was found

private:
    static QStringList folders() { return {QStringLiteral(VELLORAN_BUILD_DIR "/translations")}; }

    QString m_program;
};

} // namespace testsupport
