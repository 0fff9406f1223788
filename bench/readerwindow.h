#pragma once

// Leafreader's view at 1920 x 1080 with a book open, for the benchmarks.
#include "leafreaderview.h"

#include <QApplication>

namespace bench {

struct ReaderWindow {
    leafreader::ReaderSettings settings;
    platform::ScriptedPrompt prompt;
    leafreader::CLeafreaderView view{settings, prompt};

    // False when the book cannot be opened.
    bool open(const QString &book)
    {
        view.resize(1920, 1080);
        view.show();
        QApplication::processEvents();
        leafreader::BookEntry row;
        row.kind = leafreader::BookEntry::BookFile;
        row.path = book;
        row.page = 1;
        if (!view.openBook(row))
            return false;
        view.repaint();
        return true;
    }
};

} // namespace bench
