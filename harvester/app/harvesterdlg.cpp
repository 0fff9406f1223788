#include "harvesterdlg.h"

#include "core/foldertree.h"
#include "core/messages.h"

#include <platform/paths.h>
#include <platform/prompt.h>
#include <platform/settings.h>
#include <platform/version.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace harvester;

namespace {

// The lists' items, by their index (the value the settings keep).
const char *const kProcessItems[] = {
    QT_TRANSLATE_NOOP("CHarvesterDlg", "PDFをKVBに変換"), QT_TRANSLATE_NOOP("CHarvesterDlg", "PDFから画像を取り出す"),
    QT_TRANSLATE_NOOP("CHarvesterDlg", "画像フォルダをKVBに変換"), QT_TRANSLATE_NOOP("CHarvesterDlg", "KVBから画像を取り出す"),
    QT_TRANSLATE_NOOP("CHarvesterDlg", "アーカイブをKVBに変換")};
const char *const kPostProcessItems[] = {QT_TRANSLATE_NOOP("CHarvesterDlg", "そのまま"),
                                         QT_TRANSLATE_NOOP("CHarvesterDlg", "ごみ箱に移動"),
                                         QT_TRANSLATE_NOOP("CHarvesterDlg", "削除（非推奨）")};
const char *const kParentFolderItems[] = {
    QT_TRANSLATE_NOOP("CHarvesterDlg", "何もしない"), QT_TRANSLATE_NOOP("CHarvesterDlg", "著者とする"),
    QT_TRANSLATE_NOOP("CHarvesterDlg", "出版社とする"), QT_TRANSLATE_NOOP("CHarvesterDlg", "サークルとする")};

// The program's icon: a sheaf of pages over a book.
QIcon harvesterIcon()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 40, 20), 1.5));
    p.setBrush(QColor(200, 150, 60));
    p.drawRoundedRect(QRectF(4, 16, 24, 12), 2, 2);
    p.setBrush(Qt::white);
    for (int i = 0; i < 3; ++i)
        p.drawRect(QRectF(8 + i * 5, 4 + i * 2, 10, 13));
    return QIcon(pixmap);
}

} // namespace

CHarvesterDlg::CHarvesterDlg(platform::Prompt &prompt, QWidget *parent)
    : QDialog(parent), m_prompt(prompt), m_run(prompt, *this)
{
    setObjectName(QStringLiteral("CHarvesterDlg"));
    setWindowTitle(QStringLiteral("Harvester"));
    setWindowIcon(harvesterIcon());
    setWindowFlags(windowFlags() | Qt::WindowMinimizeButtonHint);
    m_run.setBusyIndicator(&m_waitCursor);
    buildControls();

    auto *about = new QAction(text::AboutMenuItem, this);
    connect(about, &QAction::triggered, this, [this] { onCommand(CmdAbout); });
    addAction(about);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    applySettings(HarvesterSettings());
    applyEnabling(true);
}

void CHarvesterDlg::buildControls()
{
    auto *top = new QVBoxLayout(this);
    auto remember = [this](int id, QWidget *widget) {
        m_controls[id] = widget;
        widget->setObjectName(QStringLiteral("id%1").arg(id));
        return widget;
    };
    auto makeButton = [this, &remember](int id, const QString &text) {
        auto *button = new QPushButton(text, this);
        button->setAutoDefault(false);
        remember(id, button);
        connect(button, &QPushButton::clicked, this, [this, id] { onCommand(id); });
        return button;
    };
    auto makeCheck = [this, &remember](int id, const QString &text) {
        auto *box = new QCheckBox(text, this);
        remember(id, box);
        return box;
    };
    auto makeCombo = [this, &remember](int id, const auto &items) {
        auto *combo = new QComboBox(this);
        for (const char *item : items)
            combo->addItem(tr(item));
        remember(id, combo);
        return combo;
    };

    // Conversion, subfolders, post-processing and close.
    auto *choiceRow = new QGridLayout;
    choiceRow->addWidget(new QLabel(tr("処理"), this), 0, 0);
    m_process = makeCombo(IdProcess, kProcessItems);
    choiceRow->addWidget(m_process, 1, 0);
    m_subFolder = makeCheck(IdSubFolder, tr("サブフォルダも含む"));
    choiceRow->addWidget(m_subFolder, 1, 1);
    choiceRow->addWidget(new QLabel(tr("処理済みファイル/フォルダ"), this), 0, 2);
    m_postProcess = makeCombo(IdPostProcess, kPostProcessItems);
    choiceRow->addWidget(m_postProcess, 1, 2);
    choiceRow->setColumnStretch(3, 1);
    choiceRow->addWidget(makeButton(IdClose, tr("閉じる")), 0, 4, 2, 1, Qt::AlignTop);
    top->addLayout(choiceRow);

    auto folderRow = [this, &makeButton, &remember, top](const QString &label, int editId, int browseId) {
        top->addWidget(new QLabel(label, this));
        auto *row = new QHBoxLayout;
        auto *edit = new QLineEdit(this);
        edit->setMaxLength(kMaxFolderChars);
        remember(editId, edit);
        row->addWidget(edit, 1);
        QPushButton *browse = makeButton(browseId, QStringLiteral("..."));
        browse->setFixedWidth(32);
        row->addWidget(browse);
        top->addLayout(row);
        return edit;
    };
    m_targetFolder = folderRow(tr("PDF/画像フォルダ/KVBを含む対象フォルダ"), IdTargetFolder, IdBrowseTarget);
    m_workFolder = folderRow(
        tr("PDF作業用フォルダ （対象フォルダと同じドライブを推奨、全角文字を含まないこと。）"),
        IdWorkFolder, IdBrowseWork);

    // Book options beside Start and Stop.
    auto *optionsRow = new QHBoxLayout;
    auto *group = new QGroupBox(tr("KVB文書"), this);
    auto *grid = new QGridLayout(group);
    m_spread = makeCheck(IdSpread, tr("見開き"));
    m_cover = makeCheck(IdCover, tr("表紙あり"));
    m_bindR = makeCheck(IdBindR, tr("右綴じ"));
    m_thumb = makeCheck(IdThumb, tr("サムネール"));
    m_nameAsTitle = makeCheck(IdNameAsTitle, tr("ファイル/フォルダ名をタイトルとする"));
    m_numberAsDate = makeCheck(IdNumberAsDate, tr("頭の数値を出版日とする"));
    m_parentFolder = makeCombo(IdParentFolder, kParentFolderItems);
    grid->addWidget(m_spread, 0, 0);
    grid->addWidget(m_thumb, 0, 1);
    grid->addWidget(m_nameAsTitle, 0, 2, 1, 2);
    grid->addWidget(m_cover, 1, 0);
    auto *dateRow = new QHBoxLayout;
    dateRow->addSpacing(12);
    dateRow->addWidget(m_numberAsDate);
    grid->addLayout(dateRow, 1, 2, 1, 2);
    grid->addWidget(m_bindR, 2, 0);
    grid->addWidget(new QLabel(tr("対象フォルダ名"), this), 2, 2, Qt::AlignRight);
    grid->addWidget(m_parentFolder, 2, 3);
    optionsRow->addWidget(group, 1);
    QPushButton *start = makeButton(IdStart, tr("開始"));
    start->setDefault(true);
    start->setMinimumSize(88, 52);
    QPushButton *stop = makeButton(IdStop, tr("停止"));
    stop->setMinimumSize(88, 52);
    optionsRow->addWidget(start, 0, Qt::AlignTop);
    optionsRow->addWidget(stop, 0, Qt::AlignTop);
    top->addLayout(optionsRow);

    connect(m_process, &QComboBox::currentIndexChanged, this, [this] { onCommand(IdProcess); });
    connect(m_nameAsTitle, &QCheckBox::clicked, this, [this] { onCommand(IdNameAsTitle); });
    connect(m_spread, &QCheckBox::clicked, this, [this] { onCommand(IdSpread); });

    // Status, progress and log.
    m_status = new QLabel(this);
    remember(IdStatus, m_status);
    m_status->setTextFormat(Qt::PlainText);
    m_status->setMinimumWidth(1);
    top->addWidget(m_status);
    m_progress = new QProgressBar(this);
    remember(IdProgress, m_progress);
    m_progress->setTextVisible(false);
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    top->addWidget(m_progress);
    m_log = new QPlainTextEdit(this);
    remember(IdLog, m_log);
    m_log->setReadOnly(true);
    m_log->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_log->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_log->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_log->setMaximumBlockCount(RunLog::kMaxLines);
    QPalette palette = m_log->palette();
    palette.setColor(QPalette::Base, Qt::black);
    palette.setColor(QPalette::Text, Qt::white);
    m_log->setPalette(palette);
    m_log->setMinimumHeight(160);
    top->addWidget(m_log, 1);

    resize(620, 500);
}

QWidget *CHarvesterDlg::control(int id) const
{
    const auto found = m_controls.find(id);
    return found == m_controls.end() ? nullptr : found->second;
}

void CHarvesterDlg::applySettings(const HarvesterSettings &settings)
{
    m_process->setCurrentIndex(settings.process);
    m_subFolder->setChecked(settings.subFolder);
    m_targetFolder->setText(settings.pdfFolder);
    m_workFolder->setText(settings.wkFolder);
    m_cover->setChecked(settings.book.cover);
    m_bindR->setChecked(settings.book.bindR);
    m_spread->setChecked(settings.book.spread);
    m_thumb->setChecked(settings.book.thumb);
    m_nameAsTitle->setChecked(settings.book.nameAsTitle);
    m_numberAsDate->setChecked(settings.book.numberAsDate);
    m_parentFolder->setCurrentIndex(settings.book.targetName);
    m_postProcess->setCurrentIndex(settings.postProcess);
}

HarvesterSettings CHarvesterDlg::currentChoices() const
{
    HarvesterSettings s;
    s.process = m_process->currentIndex();
    s.subFolder = m_subFolder->isChecked();
    s.pdfFolder = m_targetFolder->text();
    s.wkFolder = m_workFolder->text();
    s.book.cover = m_cover->isChecked();
    s.book.bindR = m_bindR->isChecked();
    s.book.spread = m_spread->isChecked();
    s.book.thumb = m_thumb->isChecked();
    s.book.nameAsTitle = m_nameAsTitle->isChecked();
    s.book.numberAsDate = m_numberAsDate->isChecked();
    s.book.targetName = m_parentFolder->currentIndex();
    s.postProcess = m_postProcess->currentIndex();
    return s;
}

void CHarvesterDlg::loadSettings(const QSettings &store)
{
    HarvesterSettings settings;
    settings.load(store);
    applySettings(settings);
    applyEnabling(!m_run.running());
}

void CHarvesterDlg::saveSettings(QSettings &store) const
{
    currentChoices().save(store);
    platform::syncSettings(store, m_prompt);
}

void CHarvesterDlg::setFolders(const QString &target, const QString &work)
{
    if (!target.isEmpty())
        m_targetFolder->setText(target);
    if (!work.isEmpty())
        m_workFolder->setText(work);
}

void CHarvesterDlg::applyEnabling(bool idle)
{
    EnablingState state;
    state.idle = idle;
    state.process = m_process->currentIndex();
    state.spreadChecked = m_spread->isChecked();
    state.nameAsTitleChecked = m_nameAsTitle->isChecked();
    for (const auto &[id, widget] : m_controls)
        widget->setEnabled(isControlEnabled(id, state));
    m_status->clear();
}

RunOptions CHarvesterDlg::runOptions() const
{
    const HarvesterSettings choices = currentChoices();
    RunOptions options;
    options.mode = choices.process;
    options.targetFolder = choices.pdfFolder;
    options.workFolder = choices.wkFolder;
    options.includeSubfolders = choices.subFolder;
    options.postProcess = choices.postProcess;
    options.book = choices.book;
    return options;
}

void CHarvesterDlg::onCommand(int id)
{
    emit commandIssued(id);
    switch (id) {
    case IdStart: start(); break;
    case IdStop: m_run.requestStop(); break;
    case IdBrowseTarget: browse(m_targetFolder, text::BrowseTargetCaption); break;
    case IdBrowseWork: browse(m_workFolder, text::BrowseWorkCaption); break;
    case IdClose: closeDialog(); break;
    case IdProcess:
    case IdNameAsTitle:
    case IdSpread:
        if (!m_run.running())
            applyEnabling(true);
        break;
    case CmdAbout:
        m_prompt.message(text::AboutText + platform::versionText(), platform::PromptIcon::Information,
                         platform::PromptButtons::Ok, text::AboutCaption);
        break;
    case IdEnter:
    default: break;
    }
}

void CHarvesterDlg::start()
{
    if (m_run.running())
        return;
    // A stored Process value outside the list leaves it without a selection:
    // there is no run to start.
    if (m_process->currentIndex() < 0) {
        m_prompt.beep();
        return;
    }
    m_run.start(runOptions());
}

void CHarvesterDlg::browse(QLineEdit *box, const QString &caption)
{
    const QString current = platform::withoutTrailingSlash(box->text().left(kMaxFolderChars - 1));
    QString chosen = m_prompt.folder(caption, current);
    if (chosen.isEmpty())
        return;
    if (!chosen.endsWith(u'/'))
        chosen += u'/';
    box->setText(chosen);
}

void CHarvesterDlg::closeDialog()
{
    if (m_closing)
        return;
    if (m_run.running()) {
        const int mode = m_run.mode();
        if (mode == ImageFoldersToBooks || mode == BooksToImageFolders || mode == ArchivesToBooks) {
            m_prompt.message(text::RunningStopFirst, platform::PromptIcon::Warning);
            return;
        }
        if (m_prompt.message(text::RunningForceClose, platform::PromptIcon::Question,
                             platform::PromptButtons::YesNoDefaultNo)
            != platform::PromptAnswer::Yes)
            return;
        m_run.FinishPdf(true, 0);
    }
    m_closing = true;
    if (m_store)
        saveSettings(*m_store);
    QDialog::reject();
}

void CHarvesterDlg::reject()
{
    onCommand(IdClose);
}

void CHarvesterDlg::keyPressEvent(QKeyEvent *event)
{
    // Enter is no command here: a dialog would press its default button
    // (Start) when Enter comes back from a folder box or the log.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        onCommand(IdEnter);
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CHarvesterDlg::closeEvent(QCloseEvent *event)
{
    event->ignore();
    onCommand(IdClose);
}

void CHarvesterDlg::begin(const QString &, int range)
{
    m_progress->setRange(0, std::max(range, 1));
    m_progress->setValue(0);
}

void CHarvesterDlg::setText(const QString &text)
{
    m_status->setText(text);
    m_status->repaint();
}

void CHarvesterDlg::setPosition(int position)
{
    m_progress->setValue(position);
}

void CHarvesterDlg::processEvents()
{
    QCoreApplication::processEvents();
}

void CHarvesterDlg::logLine(const QString &text)
{
    m_log->appendPlainText(text);
    m_log->verticalScrollBar()->setValue(m_log->verticalScrollBar()->maximum());
}

void CHarvesterDlg::runningChanged(bool running)
{
    applyEnabling(!running);
}
