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
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--screenshot") && i + 1 < args.size())
            screenshot = args[++i];
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
    if (!screenshot.isEmpty())
        frame.resize(1280, 800);
    frame.showWithPlacement();

    // Until the list screens are there, a closed book ends the program.
    QObject::connect(&frame.view(), &CLeafreaderView::bookClosed, &frame, &QWidget::close);

    if (!bookPath.isEmpty()) {
        BookEntry row;
        row.kind = BookEntry::BookFile;
        row.path = QFileInfo(bookPath).absoluteFilePath();
        row.page = 1;
        QApplication::processEvents();
        frame.view().openBook(row);
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
