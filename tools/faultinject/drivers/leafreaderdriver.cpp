// Leafreader's resume list without its window, for the fault campaign:
//   leafreaderdriver resume BOOK   the resume list with BOOK on it, written
#include "driver.h"

#include "shelf/resumelist.h"
#include "shelf/shelfsettings.h"

#include <platform/settings.h>

#include <QFileInfo>

using namespace faultdriver;

int main(int argc, char **argv)
{
    return runDriver(argc, argv, {
        {QStringLiteral("resume"),
         [](platform::ScriptedPrompt &prompt, const QStringList &words) {
             const auto store = platform::openSettings(QStringLiteral("Leafreader"));
             leafreader::ShelfSettings settings;
             settings.load(*store);
             const QFileInfo book(words[0]);
             leafreader::BookEntry entry;
             entry.kind = leafreader::BookEntry::BookFile;
             entry.path = book.absoluteFilePath();
             entry.page = 3;
             entry.pageCount = 9;
             settings.currentFolder = book.absolutePath();
             settings.resume[0] = leafreader::ResumeList::formatEntry(entry);
             return settings.writeResume(*store, prompt);
         }},
    });
}
