#include "leafreaderframe.h"

#include "platform/settings.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>

using namespace leafreader;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Leafreader"));
    QApplication::setOrganizationName(QStringLiteral("Velloran"));

    QString screenshot, bookPath;
    QList<int> commands; // --commands id,id,...: run after opening (screenshots of layouts)
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--screenshot") && i + 1 < args.size())
            screenshot = args[++i];
        else if (args[i] == QStringLiteral("--commands") && i + 1 < args.size())
            for (const QString &id : args[++i].split(u','))
                commands << id.toInt();
        else if (bookPath.isEmpty())
            bookPath = args[i];
    }

    ReaderSettings settings;
    settings.load(*platform::openSettings(QStringLiteral("Leafreader")));

    // A screenshot run must not wait on a message box.
    platform::WidgetPrompt widgetPrompt;
    platform::ScriptedPrompt scriptedPrompt;
    platform::Prompt &prompt = screenshot.isEmpty() ? static_cast<platform::Prompt &>(widgetPrompt)
                                                    : scriptedPrompt;

    CLeafreaderFrame frame(settings, prompt);
    widgetPrompt.setParent(&frame);
    frame.showWithPlacement();
    if (!screenshot.isEmpty() && !frame.fullScreenOn())
        frame.resize(1280, 800);

    // Until the list screens are there, a closed book ends the program.
    bool replacing = false;
    QObject::connect(&frame.view(), &CLeafreaderView::bookClosed, &frame, [&frame, &replacing] {
        if (!replacing)
            frame.close();
    });

    const auto openPath = [&frame](const QString &path) {
        BookEntry row;
        row.kind = BookEntry::BookFile;
        row.path = QFileInfo(path).absoluteFilePath();
        row.page = 1;
        return frame.view().openBook(row);
    };
    // A dropped book replaces the one shown.
    QObject::connect(&frame, &CLeafreaderFrame::fileDropped, &frame,
                     [&frame, &replacing, openPath](const QString &path) {
                         replacing = true;
                         frame.view().closeBook(CLeafreaderView::CloseWithoutRegistering);
                         replacing = false;
                         openPath(path);
                     });

    if (!bookPath.isEmpty()) {
        QApplication::processEvents();
        if (openPath(bookPath))
            for (int id : commands)
                frame.view().onCommand(id);
    }

    if (!screenshot.isEmpty()) {
        for (const QString &text : scriptedPrompt.texts())
            std::fprintf(stderr, "%s\n", qPrintable(text));
        QTimer::singleShot(300, &frame, [&frame, screenshot] {
            const bool ok = frame.grab().save(screenshot, "PNG");
            QApplication::exit(ok ? 0 : 1);
        });
    }
    return app.exec();
}
