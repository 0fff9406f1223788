#include "leafreaderstartup.h"

#include "pageview/booksource.h"
#include "pageview/commands.h"
#include "shelf/shelfmodel.h"
#include "shelf/shelfpictures.h"

#include "platform/filenames.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>

namespace leafreader {

QString LaunchOptions::usage()
{
    return QStringLiteral(
        "usage: leafreader [--] [BOOK|FOLDER]\n"
        "       leafreader --screenshot FILE [--commands ID,ID...] [--] [BOOK|FOLDER]\n"
        "       leafreader --help | --version\n"
        "\n"
        "Shows the folder of BOOK with BOOK open, or the FOLDER; without one the resume\n"
        "list or the last folder. A copy already running is brought forward instead.\n"
        "  --screenshot FILE  write the window to FILE (PNG) after start-up, then exit\n"
        "  --commands IDS     run these command ids first (with --screenshot)\n"
        "  --                 ends the options: the word after it is a path\n");
}

std::optional<int> LaunchOptions::read(const platform::ProgramArguments &arguments, LaunchOptions &options)
{
    const QCommandLineOption screenshot(QStringLiteral("screenshot"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption commands(QStringLiteral("commands"), QString(), QStringLiteral("IDS"));
    platform::ProgramCommandLine line({QStringLiteral("leafreader"), QStringLiteral("Leafreader"), usage()},
                                      {screenshot, commands});
    if (const std::optional<int> status = line.read(arguments))
        return status;
    options.screenshot = line.value(QStringLiteral("screenshot"));
    for (const QString &ids : line.parser().values(commands)) {
        for (const QString &id : ids.split(u',', Qt::SkipEmptyParts))
            options.commands << id.toInt();
    }
    // The first path counts, as it always has.
    const QStringList paths = line.positionalArguments();
    if (!paths.isEmpty())
        options.bookPath = platform::absolutePath(paths.front());
    return std::nullopt;
}

LeafreaderStartup::LeafreaderStartup(const LaunchOptions &options, QSettings &store,
                                     platform::Prompt &prompt)
    : m_options(options), m_store(store), m_prompt(prompt)
{
}

LeafreaderStartup::~LeafreaderStartup()
{
    if (m_frame)
        saveResume();
}

LeafreaderStartup::StartResult LeafreaderStartup::start(bool singleInstance)
{
    if (singleInstance) {
        m_instance = std::make_unique<platform::SingleInstance>(QString::fromLatin1(kInstanceName));
        switch (m_instance->start(m_options.bookPath)) {
        case platform::SingleInstance::Role::Second:
            return StartResult::AnotherCopyRuns;
        case platform::SingleInstance::Role::Failed:
            m_prompt.message(QStringLiteral("CreateMutex: Failed."), platform::PromptIcon::Stop);
            return StartResult::Failed;
        case platform::SingleInstance::Role::First:
            break;
        }
        connect(m_instance.get(), &platform::SingleInstance::activationRequested, this,
                [this](const QString &path) {
                    raiseWindow();
                    if (!path.isEmpty())
                        openPath(path);
                });
    }

    m_settings.load(m_store);
    m_listSettings.load(m_store);
    m_frameSettings.load(m_store);
    m_frame = std::make_unique<CLeafreaderFrame>(m_settings, m_frameSettings, m_store, m_prompt);
    m_frame->setWindowIcon(QIcon(QPixmap::fromImage(ShelfPictures::programIcon())));
    m_shelf = new ShelfView(m_settings, m_listSettings, m_store, m_prompt);
    wire();
    m_frame->placement().showAtStart();
    if (!m_options.screenshot.isEmpty() && !m_frame->fullScreenOn())
        m_frame->resize(1280, 800);
    m_shelf->setFullScreen(m_frame->fullScreenOn());
    QApplication::processEvents();
    m_shelf->start(m_options.bookPath);
    for (int id : m_options.commands)
        m_frame->view().onCommand(id);
    return StartResult::Running;
}

void LeafreaderStartup::wire()
{
    CLeafreaderView &view = m_frame->view();
    view.setListWidget(m_shelf);
    view.listCommand = [this, &view](int id) {
        if (!view.bookMode())
            return m_shelf->onCommand(id);
        if (id == CmdFileInfo) {
            // The shown book is read through its open file: it may have been
            // renamed or moved since it was opened.
            const BookEntry book = view.currentBook();
            auto *open = dynamic_cast<BookSource *>(view.session().source());
            if (m_shelf->showInformation)
                m_shelf->showInformation(open ? gatherFileInformation(*open, book.fileSize)
                                              : gatherFileInformation(book.path, book.fileSize));
            return true;
        }
        return false; // list commands mean nothing while a book is shown
    };
    view.listPadButton = [this](int button) { m_shelf->padButton(button); };
    view.listContextMenu = [this](QPoint global) { m_shelf->showContextMenu(global); };

    connect(m_shelf, &ShelfView::frameCommand, &view, &CLeafreaderView::onCommand);
    connect(m_shelf, &ShelfView::controlPadRequested, &view,
            [&view](QPoint globalPos) { view.toggleControlPadAt(globalPos); });
    connect(m_shelf, &ShelfView::openBookRequested, &view, [this, &view](const BookEntry &row) {
        if (view.openBook(row))
            m_shelf->bookOpened(view.currentBook());
    });
    connect(&view, &CLeafreaderView::bookClosed, m_shelf,
            [this](int mode, const BookEntry &book, int pageAtOpening) {
                BookEntry closed = book;
                m_shelf->bookClosed(mode, closed, pageAtOpening);
            });
    connect(&view, &CLeafreaderView::bookOpenChanged, m_shelf, &ShelfView::setBookShown);
    connect(m_frame.get(), &CLeafreaderFrame::fullScreenChanged, m_shelf, &ShelfView::setFullScreen);
    connect(m_shelf, &ShelfView::padScalePreview, &view, [this, &view](int scale) {
        m_settings.scalePad = scale;
        view.settingsChanged();
    });
    connect(m_shelf, &ShelfView::settingsApplied, &view, &CLeafreaderView::settingsChanged);
    connect(m_frame.get(), &CLeafreaderFrame::fileDropped, this, &LeafreaderStartup::openPath);
    // The session ends (logout, shutdown): keep the window and the list.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] {
        saveResume();
        m_frame->saveWindow();
    });
}

void LeafreaderStartup::openPath(const QString &path)
{
    CLeafreaderView &view = m_frame->view();
    // A book handed in replaces the one shown, whose place is registered
    // first; with the resume list full the shown book stays.
    if (view.bookMode()) {
        const std::optional<int> mode =
            m_shelf->model().handOverCloseMode(view.currentBook(), view.session().positionAtOpening());
        if (!mode)
            return;
        view.closeBook(*mode);
    }
    m_shelf->openPath(platform::absolutePath(path));
}

void LeafreaderStartup::raiseWindow()
{
    if (m_frame->isMinimized())
        m_frame->showNormal();
    m_frame->raise();
    m_frame->activateWindow();
}

void LeafreaderStartup::saveResume()
{
    m_shelf->model().storeResume();
    m_listSettings.writeResume(m_store, m_prompt);
}

} // namespace leafreader
