#include "glancerapp.h"

#include "glancerpictures.h"

#include "platform/filenames.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QPixmap>

namespace glancer {

QString LaunchOptions::usage()
{
    return QStringLiteral("usage: glancer [--screenshot FILE] [IMAGE|FOLDER]\n"
                          "       glancer --help | --version");
}

bool LaunchOptions::parse(const QStringList &arguments, LaunchOptions &out, QString &error)
{
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption screenshot(QStringLiteral("screenshot"), QString(), QStringLiteral("FILE"));
    parser.addOptions({help, version, screenshot});
    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return false;
    }
    out.help = parser.isSet(help);
    out.version = parser.isSet(version);
    out.screenshot = parser.value(screenshot);
    const QStringList paths = parser.positionalArguments();
    if (paths.size() > 1) {
        error = QStringLiteral("More than one path given: '%1'.").arg(paths[1]);
        return false;
    }
    if (!paths.isEmpty())
        out.path = platform::absolutePath(paths[0]);
    return true;
}

CGlancerApp::CGlancerApp(const LaunchOptions &options, QSettings &store, platform::Prompt &prompt)
    : m_options(options), m_store(store), m_prompt(prompt)
{
}

CGlancerApp::~CGlancerApp() = default;

CGlancerApp::StartResult CGlancerApp::start(bool singleInstance)
{
    if (singleInstance) {
        m_instance = std::make_unique<platform::SingleInstance>(QString::fromLatin1(kInstanceName));
        // A later copy hands nothing over: the first copy only comes forward.
        switch (m_instance->start()) {
        case platform::SingleInstance::Role::Second: return StartResult::AnotherCopyRuns;
        case platform::SingleInstance::Role::Failed:
            m_prompt.message(QStringLiteral("CreateMutex: Failed."), platform::PromptIcon::Stop);
            return StartResult::Failed;
        case platform::SingleInstance::Role::First: break;
        }
        connect(m_instance.get(), &platform::SingleInstance::activationRequested, this,
                [this](const QString &) { raiseWindow(); });
    }

    m_settings.load(m_store);
    m_frameSettings.load(m_store);
    m_frame = std::make_unique<CMainFrame>(m_settings, m_frameSettings, m_store, m_prompt);
    m_frame->setWindowIcon(QIcon(QPixmap::fromImage(pictures::programIcon())));
    m_frame->placement().showAtStart();
    if (!m_options.screenshot.isEmpty() && !m_frame->placement().fullScreen())
        m_frame->resize(1280, 800);
    m_frame->view().setFullScreen(m_frame->placement().fullScreen());
    QApplication::processEvents();
    m_frame->view().start(m_options.path);
    // The session ends (logout, shutdown): keep the window's placement.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { m_frame->saveWindow(); });
    return StartResult::Running;
}

void CGlancerApp::raiseWindow()
{
    if (m_frame->isMinimized())
        m_frame->showNormal();
    m_frame->raise();
    m_frame->activateWindow();
}

} // namespace glancer
