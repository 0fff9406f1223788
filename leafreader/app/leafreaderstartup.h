#pragma once

#include "leafreaderframe.h"

#include "pageview/readersettings.h"
#include "platform/commandline.h"
#include "platform/prompt.h"
#include "ui/singleinstance.h"
#include "shelf/shelfview.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace leafreader {

// The program's command line: one optional book path, and --screenshot FILE
// (plus --commands id,id,... run after start-up, for screenshots).
struct LaunchOptions {
    QString bookPath;
    QString screenshot;
    QList<int> commands;
    QStringList unusable; // arguments whose bytes are not valid UTF-8, escaped

    static QString usage();
    // Reads the arguments (the program's name first) before any window
    // exists. --help and --version are answered and an unknown option is a
    // usage error: the exit status is returned then. "--" ends the options.
    static std::optional<int> read(const platform::ProgramArguments &arguments, LaunchOptions &options);
};

// Start-up of the reader: the single-instance rule, the settings, the frame
// with its view in list mode, and the wiring between the list screens and
// the book view. main() only adds the application object and its loop.
class LeafreaderStartup : public QObject {
    Q_OBJECT
public:
    // The name the single-instance lock and socket are formed from.
    static constexpr const char *kInstanceName = "Leafreader.2021.Velloran";

    // `store` is the program's settings store ("Leafreader"), opened once by
    // the caller and handed to every part that reads or writes settings.
    LeafreaderStartup(const LaunchOptions &options, QSettings &store, platform::Prompt &prompt);
    ~LeafreaderStartup() override;

    // Running: the window is shown with its first screen.
    using StartResult = platform::StartResult;
    // With `singleInstance` off (screenshot runs, tests) no lock is taken.
    StartResult start(bool singleInstance = true);

    CLeafreaderFrame &frame() { return *m_frame; }
    ShelfView &shelf() { return *m_shelf; }
    ReaderSettings &settings() { return m_settings; }
    ShelfSettings &listSettings() { return m_listSettings; }
    ui::FrameSettings &frameSettings() { return m_frameSettings; }

    // A book handed over by a later start, or dropped on the window. A book
    // shown now is closed keeping its place in the resume list, as Ctrl+C
    // closes a book opened at a resume entry and Ctrl+S any other; when the
    // list is full it stays open and the new one is not opened.
    void openPath(const QString &path);
    // Brings the window forward (a later start asked for it).
    void raiseWindow();
    // Stores the resume list and the current folder.
    void saveResume();

private:
    void wire();

    LaunchOptions m_options;
    QSettings &m_store;
    platform::Prompt &m_prompt;
    ReaderSettings m_settings;
    ShelfSettings m_listSettings;
    ui::FrameSettings m_frameSettings;
    std::unique_ptr<platform::SingleInstance> m_instance;
    std::unique_ptr<CLeafreaderFrame> m_frame;
    ShelfView *m_shelf = nullptr;
};

} // namespace leafreader
