// savedriver: runs one save of a window program through the program's own
// library, without its window, so the fault campaign can run it as it runs
// the command-line writers. Messages are answered as a scripted prompt
// answers them and printed to standard error. Exit status 0 when every write
// of the save succeeded, 1 otherwise, 2 a usage error.
//
//   savedriver bindery-save BOOK PICTURE...        pages saved as a book
//   savedriver bindery-export BOOK FOLDER          every page of a book into a folder
//   savedriver retouch-save PICTURE OUT            a corrected column, saved as OUT
//   savedriver retoner-convert FOLDER PICTURE...   the window's conversion, then its
//                                                  exit ($LastSetting.tnp, settings)
//   savedriver leafreader-resume BOOK              the resume list with the book on it
#include "core/binderyeditor.h"
#include "core/retonersession.h"
#include "core/retoucheditor.h"
#include "shelf/resumelist.h"
#include "shelf/shelfsettings.h"

#include <platform/prompt.h>
#include <platform/settings.h>

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

namespace {

QStringList absolute(const QStringList &paths)
{
    QStringList result;
    for (const QString &path : paths)
        result << QFileInfo(path).absoluteFilePath();
    return result;
}

bool binderySave(platform::Prompt &prompt, const QString &book, const QStringList &pictures)
{
    bindery::BinderyEditor editor(prompt);
    editor.setThumbnailThreads(1);
    if (!editor.addPages(absolute(pictures)))
        return false;
    editor.document().documentPath = QFileInfo(book).absoluteFilePath();
    editor.document().title = QStringLiteral("T");
    return editor.save();
}

bool binderyExport(platform::ScriptedPrompt &prompt, const QString &book, const QString &folder)
{
    bindery::BinderyEditor editor(prompt);
    editor.setThumbnailThreads(1);
    if (!editor.openBookFile(QFileInfo(book).absoluteFilePath()))
        return false;
    prompt.planPath(QFileInfo(folder).absoluteFilePath());
    return editor.exportPages(false);
}

bool retouchSave(platform::Prompt &prompt, const QString &picture, const QString &out)
{
    retouch::RetouchEditor editor(prompt);
    editor.setQualityAsker([](int current) { return std::optional<int>(current); });
    if (editor.openImage(QFileInfo(picture).absoluteFilePath()) != retouch::OpenResult::Opened)
        return false;
    editor.moveCursorTo(2, 2);
    editor.setOffset(retouch::Channel::All, 12);
    return editor.saveTo(QFileInfo(out).absoluteFilePath()) == retouch::SaveResult::Saved;
}

bool retonerConvert(platform::Prompt &prompt, const QString &folder, const QStringList &pictures)
{
    const auto store = platform::openSettings(QStringLiteral("Retoner"));
    retoner::RetonerSession session(prompt);
    session.start(*store);
    retoner::ToneSettings settings = session.settings();
    settings.outputFolder = QFileInfo(folder).absoluteFilePath();
    session.applySettings(settings);
    retoner::BatchObserver observer;
    const int added =
        session.batch().registerFiles(absolute(pictures), retoner::RegistrationMode::AutoSaturatedIsColor, observer);
    const retoner::ConvertReport report = session.batch().convertAll(session.settings(), observer);
    const bool converted = added == pictures.size() && report.outcome == retoner::ConvertReport::Finished
                           && report.failures == 0 && report.written == added;
    return session.finish(*store, std::nullopt) && converted;
}

bool leafreaderResume(platform::Prompt &prompt, const QString &book)
{
    const auto store = platform::openSettings(QStringLiteral("Leafreader"));
    leafreader::ShelfSettings settings;
    settings.load(*store);
    const QFileInfo info(book);
    settings.currentFolder = info.absolutePath();
    leafreader::BookEntry entry;
    entry.kind = leafreader::BookEntry::BookFile;
    entry.path = info.absoluteFilePath();
    entry.page = 3;
    entry.pageCount = 9;
    settings.resume[0] = leafreader::ResumeList::formatEntry(entry);
    return settings.writeResume(*store, prompt);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Velloran"));
    QStringList words = QCoreApplication::arguments().mid(1);
    if (words.size() < 2) {
        std::fputs("usage: savedriver COMMAND ARGUMENTS... (see the source)\n", stderr);
        return 2;
    }
    const QString command = words.takeFirst();
    platform::ScriptedPrompt prompt;
    bool ok = false;
    if (command == QLatin1String("bindery-save"))
        ok = binderySave(prompt, words.front(), words.mid(1));
    else if (command == QLatin1String("bindery-export"))
        ok = binderyExport(prompt, words[0], words[1]);
    else if (command == QLatin1String("retouch-save"))
        ok = retouchSave(prompt, words[0], words[1]);
    else if (command == QLatin1String("retoner-convert"))
        ok = retonerConvert(prompt, words.front(), words.mid(1));
    else if (command == QLatin1String("leafreader-resume"))
        ok = leafreaderResume(prompt, words[0]);
    else
        return 2;
    for (const QString &text : prompt.texts())
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    return ok ? 0 : 1;
}
