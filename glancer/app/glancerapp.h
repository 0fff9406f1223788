#pragma once

#include "mainframe.h"

#include "core/glancersettings.h"
#include "platform/prompt.h"
#include "ui/singleinstance.h"
#include "ui/windowplacement.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QSettings;

namespace glancer {

// The program's command line: glancer [--screenshot FILE] [IMAGE|FOLDER].
struct LaunchOptions {
    QString path;
    QString screenshot;
    bool help = false;
    bool version = false;

    // False with `error` set on a usage error (an unknown option, a missing
    // value, more than one path).
    static bool parse(const QStringList &arguments, LaunchOptions &out, QString &error);
    static QString usage();
};

// Start-up of Glancer: the single-instance rule, the settings, the frame with
// its view, and the first folder or image. main() only adds the application
// object and its loop.
class CGlancerApp : public QObject {
    Q_OBJECT
public:
    // The name the single-instance lock and socket are formed from.
    static constexpr const char *kInstanceName = "Glancer.2023.Velloran";

    // `store` is the program's settings store ("Glancer").
    CGlancerApp(const LaunchOptions &options, QSettings &store, platform::Prompt &prompt);
    ~CGlancerApp() override;

    using StartResult = platform::StartResult;
    // With `singleInstance` off (screenshot runs, tests) no lock is taken.
    StartResult start(bool singleInstance = true);

    CMainFrame &frame() { return *m_frame; }
    GlancerSettings &settings() { return m_settings; }
    void raiseWindow();

private:
    LaunchOptions m_options;
    QSettings &m_store;
    platform::Prompt &m_prompt;
    GlancerSettings m_settings;
    ui::FrameSettings m_frameSettings;
    std::unique_ptr<platform::SingleInstance> m_instance;
    std::unique_ptr<CMainFrame> m_frame;
};

} // namespace glancer
