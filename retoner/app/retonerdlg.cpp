#include "retonerdlg.h"

#include "drawnbutton.h"
#include "loadsettingdlg.h"
#include "pagelistbox.h"
#include "previewview.h"
#include "progressdlg.h"
#include "settingcolordlg.h"
#include "settingmonodlg.h"
#include "settingoutputdlg.h"

#include "core/commandlinepictures.h"

#include <platform/prompt.h>
#include <platform/version.h>

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QVBoxLayout>

#include <opencv2/core/utility.hpp>

using namespace retoner;

namespace {

const QString PictureFilter = QStringLiteral("Image Files (*.bmp *.jpg *.jpeg *.png)");
const QString SettingsFilter = QStringLiteral("TNP Files (*.tnp)");
const QColor PreviewGround(64, 64, 64);

ScrollAction scrollActionOf(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: return ScrollAction::LineBack;
    case QAbstractSlider::SliderSingleStepAdd: return ScrollAction::LineForward;
    case QAbstractSlider::SliderPageStepSub: return ScrollAction::PageBack;
    case QAbstractSlider::SliderPageStepAdd: return ScrollAction::PageForward;
    case QAbstractSlider::SliderToMinimum: return ScrollAction::Home;
    case QAbstractSlider::SliderToMaximum: return ScrollAction::End;
    default: return ScrollAction::Thumb;
    }
}

} // namespace

CRetonerDlg::CRetonerDlg(platform::Prompt &prompt, QWidget *parent) : QDialog(parent), m_session(prompt)
{
    setObjectName(QStringLiteral("CRetonerDlg"));
    setWindowTitle(QStringLiteral("Retoner"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setSizeGripEnabled(true);
    buildControls();
    // The designed size is the smallest.
    const QSize designed = sizeHint().expandedTo(QSize(960, 640));
    setMinimumSize(designed);
    resize(designed);

    connect(&m_renderer, &PreviewRenderer::previewReady, this, &CRetonerDlg::previewArrived);

    auto *about = new QAction(tr("Retonerについて(&A)..."), this);
    connect(about, &QAction::triggered, this, [this] { onCommand(CmdAbout); });
    addAction(about);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    updateControls();
}

CRetonerDlg::~CRetonerDlg()
{
    if (m_waiting)
        QApplication::restoreOverrideCursor();
}

void CRetonerDlg::buildControls()
{
    auto *top = new QHBoxLayout(this);
    const auto button = [this](int id, const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setAutoDefault(false);
        m_controls[id] = b;
        connect(b, &QPushButton::clicked, this, [this, id] { onCommand(id); });
        return b;
    };
    const auto drawn = [this](int id, CDrawnButton::Face face, const QString &text, const QString &tip) {
        auto *b = new CDrawnButton(face, text, tip, this);
        m_controls[id] = b;
        connect(b, &QAbstractButton::clicked, this, [this, id] { onCommand(id); });
        return b;
    };

    // The list column.
    auto *left = new QVBoxLayout;
    left->addWidget(new QLabel(tr("画像リスト (Drag&Drop可)"), this));
    m_list = new CPageListBox(m_session.batch(), this);
    m_list->setFixedWidth(190);
    left->addWidget(m_list, 1);
    auto *countRow = new QHBoxLayout;
    countRow->addWidget(new QLabel(tr("画像数"), this));
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("count"));
    m_count->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    countRow->addWidget(m_count, 1);
    left->addLayout(countRow);
    left->addWidget(button(CmdRegister, tr("登録...")));
    auto *kindRow = new QHBoxLayout;
    kindRow->addWidget(drawn(CmdColor, CDrawnButton::Face::Color, QStringLiteral("Color"), tr("カラーに設定")));
    kindRow->addWidget(drawn(CmdMono, CDrawnButton::Face::Mono, QStringLiteral("Mono"), tr("モノクロに設定")));
    left->addLayout(kindRow);
    auto *listRow = new QHBoxLayout;
    listRow->addWidget(button(CmdDelete, tr("削除")));
    listRow->addWidget(button(CmdSelectAll, tr("全選択")));
    listRow->addWidget(button(CmdShow, tr("表示 >")));
    left->addLayout(listRow);
    top->addLayout(left);

    // Settings, conversion, the preview switches and the preview.
    auto *right = new QVBoxLayout;
    auto *settingsRow = new QHBoxLayout;
    auto *comboColumn = new QVBoxLayout;
    comboColumn->addWidget(new QLabel(tr("設定ファイル"), this));
    m_combo = new QComboBox(this);
    m_combo->setMinimumWidth(180);
    m_controls[IdSettingsCombo] = m_combo;
    comboColumn->addWidget(m_combo);
    settingsRow->addLayout(comboColumn);
    settingsRow->addWidget(drawn(CmdOpenSettings, CDrawnButton::Face::OpenSettings, tr("設定を開く..."),
                                 tr("設定ファイルを開く")),
                           0, Qt::AlignBottom);
    settingsRow->addWidget(drawn(CmdSaveSettings, CDrawnButton::Face::SaveSettings, tr("設定の保存..."),
                                 tr("名前を付けて設定を保存")),
                           0, Qt::AlignBottom);
    settingsRow->addSpacing(12);
    settingsRow->addWidget(button(CmdColorSettings, tr("カラー設定...")), 0, Qt::AlignBottom);
    settingsRow->addWidget(button(CmdMonoSettings, tr("モノクロ設定...")), 0, Qt::AlignBottom);
    settingsRow->addWidget(button(CmdOutputSettings, tr("出力設定...")), 0, Qt::AlignBottom);
    settingsRow->addSpacing(12);
    settingsRow->addWidget(button(CmdConvert, tr("変換の実行")), 0, Qt::AlignBottom);
    settingsRow->addStretch(1);
    settingsRow->addWidget(button(CmdClose, tr("閉じる")), 0, Qt::AlignTop);
    right->addLayout(settingsRow);

    auto *switchRow = new QHBoxLayout;
    // Push buttons that stay pressed, one of each pair at a time (the group is exclusive).
    const auto pushRadio = [this](int id, const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setCheckable(true);
        b->setAutoDefault(false);
        m_controls[id] = b;
        connect(b, &QPushButton::clicked, this, [this, id] { onCommand(id); });
        return b;
    };
    m_sourceButton = pushRadio(CmdShowSource, tr("元画像"));
    m_convertedButton = pushRadio(CmdShowConverted, tr("変換画像"));
    m_fitButton = pushRadio(CmdFitToWindow, QStringLiteral("Fit to Window"));
    m_dotButton = pushRadio(CmdDotByDot, QStringLiteral("Dot by Dot"));
    auto *shown = new QButtonGroup(this);
    shown->addButton(m_sourceButton);
    shown->addButton(m_convertedButton);
    auto *scale = new QButtonGroup(this);
    scale->addButton(m_fitButton);
    scale->addButton(m_dotButton);
    m_convertedButton->setChecked(true);
    m_fitButton->setChecked(true);
    switchRow->addWidget(m_sourceButton);
    switchRow->addWidget(m_convertedButton);
    switchRow->addSpacing(24);
    switchRow->addWidget(m_fitButton);
    switchRow->addWidget(m_dotButton);
    switchRow->addStretch(1);
    right->addLayout(switchRow);

    auto *frame = new QGridLayout;
    frame->setSpacing(0);
    m_view = new CPreviewView(this, IdPreview);
    m_view->setMinimumSize(320, 240);
    m_view->setPaintCallback([this](QPainter &painter, const QRect &rect, QWidget *, int) { paintPreview(painter, rect); });
    m_vbar = new QScrollBar(Qt::Vertical, this);
    m_hbar = new QScrollBar(Qt::Horizontal, this);
    for (QScrollBar *bar : {m_hbar, m_vbar}) {
        bar->setSingleStep(PreviewScroll::LineStep);
        bar->setPageStep(PreviewScroll::PageStep);
        bar->setRange(0, 0);
        connect(bar, &QScrollBar::actionTriggered, this, [this, bar](int action) {
            if (shownImage().isNull())
                return;
            bar->setSliderPosition(m_scroll.scroll(bar->orientation(), scrollActionOf(action), bar->sliderPosition()));
        });
        connect(bar, &QScrollBar::valueChanged, m_view, qOverload<>(&QWidget::update));
    }
    m_controls[IdPreview] = m_view;
    frame->addWidget(m_view, 0, 0);
    frame->addWidget(m_vbar, 0, 1);
    frame->addWidget(m_hbar, 1, 0);
    right->addLayout(frame, 1);
    top->addLayout(right, 1);

    connect(m_view, &CPreviewView::dragged, this, [this](int lastX, int lastY, int x, int y) {
        if (m_fitToWindow || shownImage().isNull())
            return;
        m_scroll.drag(lastX, lastY, x, y);
        updateScrollBars();
        m_view->update();
    });
    connect(m_view, &CPreviewView::resized, this, [this] {
        m_scaled = QImage();
        updateScrollBars();
    });
    connect(m_list, &CPageListBox::commandRequested, this, &CRetonerDlg::onCommand);
    connect(m_list, &CPageListBox::filesDropped, this, &CRetonerDlg::registerPaths);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &CRetonerDlg::updateControls);
    connect(m_list, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { showItem(m_list->row(item)); });
    connect(m_combo, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        m_session.selectRecent(index);
        refillCombo();
        refreshPreview();
    });

    m_progress = new CProgressDlg(this);
}

QWidget *CRetonerDlg::control(int id) const
{
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

void CRetonerDlg::start(QSettings *store, bool applyWindowPosition)
{
    m_store = store;
    if (store) {
        m_session.start(*store);
        const auto &rect = m_session.profile().windowRect;
        if (applyWindowPosition && rect && rect->width() > 0 && rect->height() > 0)
            setGeometry(*rect);
    }
    refillCombo();
    updateControls();
}

void CRetonerDlg::processArguments(const QStringList &arguments)
{
    const QStringList pictures = commandLinePictures(arguments);
    if (!pictures.isEmpty())
        registerPaths(pictures);
}

void CRetonerDlg::registerPaths(const QStringList &paths)
{
    if (m_running) {
        m_session.prompt().beep();
        return;
    }
    if (const auto mode = chooseMode())
        runRegistration(paths, *mode);
}

std::optional<RegistrationMode> CRetonerDlg::chooseMode()
{
    if (m_chooseMode)
        return m_chooseMode();
    CLoadSettingDlg dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.mode();
}

void CRetonerDlg::runRegistration(const QStringList &paths, RegistrationMode mode)
{
    m_running = true;
    updateControls();
    m_progress->setEntryAdded([this](int, const ImageEntry &) {
        m_list->addItem(new QListWidgetItem);
        m_count->setText(QStringLiteral("%1 ").arg(m_list->count()));
    });
    m_list->setUpdatesEnabled(false);
    const int added = m_session.batch().registerFiles(paths, mode, *m_progress);
    m_list->setUpdatesEnabled(true);
    m_progress->setEntryAdded(nullptr);
    m_running = false;
    if (added > 0 && m_list->count() > 0)
        m_list->scrollToItem(m_list->item(m_list->count() - 1), QAbstractItemView::PositionAtTop);
    updateControls();
    if (added > 0)
        refreshPreview();
}

void CRetonerDlg::onCommand(int id)
{
    const MainControlStates states = mainControlStates(m_session.batch().count(), m_list->selectedRows().size(),
                                                       m_running);
    const auto refuse = [this] { m_session.prompt().beep(); };
    ImageBatch &batch = m_session.batch();
    switch (id) {
    case CmdRegister: {
        if (!states.registerFiles)
            return refuse();
        const QStringList files = m_session.prompt().openFiles(tr("画像の登録"),
                                                               m_session.profile().imageFolder, PictureFilter);
        if (files.isEmpty())
            return;
        const auto mode = chooseMode();
        if (!mode)
            return;
        m_session.rememberImageFolder(files);
        runRegistration(files, *mode);
        return;
    }
    case CmdColor:
    case CmdMono: {
        if (!states.colorMono)
            return refuse();
        const QList<int> rows = m_list->selectedRows();
        batch.setColor(std::vector<int>(rows.begin(), rows.end()), id == CmdColor);
        m_list->viewport()->update();
        refreshPreview();
        return;
    }
    case CmdDelete: {
        if (!states.remove)
            return refuse();
        const QList<int> rows = m_list->selectedRows();
        batch.remove(std::vector<int>(rows.begin(), rows.end()));
        refillList();
        updateControls();
        refreshPreview();
        return;
    }
    case CmdSelectAll:
        if (!states.selectAll)
            return refuse();
        m_list->selectAll();
        updateControls();
        return;
    case CmdShow: {
        const QList<int> rows = m_list->selectedRows();
        if (!states.show || rows.size() != 1)
            return refuse();
        showItem(rows.first());
        return;
    }
    case CmdOpenSettings: {
        if (!states.settings)
            return refuse();
        const QString path = m_session.prompt().openFile(tr("設定ファイルを開く"),
                                                         m_session.profile().tnpFolder, SettingsFilter);
        if (path.isEmpty())
            return;
        m_session.openSettings(path);
        refillCombo();
        refreshPreview();
        return;
    }
    case CmdSaveSettings: {
        if (!states.settings)
            return refuse();
        const QString path = m_session.prompt().saveFile(tr("名前を付けて設定を保存"),
                                                         m_session.profile().tnpFolder, SettingsFilter);
        if (path.isEmpty())
            return;
        m_session.saveSettings(path);
        refillCombo();
        return;
    }
    case CmdColorSettings:
    case CmdMonoSettings:
    case CmdOutputSettings:
        if (!states.settings)
            return refuse();
        runSettingsDialog(id);
        return;
    case CmdConvert:
        if (!states.convert)
            return refuse();
        convert();
        return;
    case CmdShowSource:
    case CmdShowConverted:
        m_showConverted = id == CmdShowConverted;
        (m_showConverted ? m_convertedButton : m_sourceButton)->setChecked(true);
        m_scaled = QImage();
        updateScrollBars();
        m_view->update();
        return;
    case CmdFitToWindow:
    case CmdDotByDot:
        m_fitToWindow = id == CmdFitToWindow;
        (m_fitToWindow ? m_fitButton : m_dotButton)->setChecked(true);
        updateScrollBars();
        m_view->update();
        return;
    case CmdClose:
        if (!states.close)
            return refuse();
        close();
        return;
    case CmdAbout:
        m_session.prompt().message(QStringLiteral("Retoner Version") + platform::versionText()
                                       + QStringLiteral("\nPowered by OpenCV ")
                                       + QString::fromStdString(cv::getVersionString()),
                                   platform::PromptIcon::None, platform::PromptButtons::Ok,
                                   tr("Retonerについて"));
        return;
    default:
        return;
    }
}

void CRetonerDlg::showItem(int row)
{
    if (m_running || !m_session.batch().setCurrentImage(row + 1))
        return;
    m_scroll.reset();
    refreshPreview();
}

void CRetonerDlg::runSettingsDialog(int id)
{
    ToneSettings edited = m_session.settings();
    bool accepted = false;
    if (id == CmdColorSettings) {
        CSettingColorDlg dialog(edited, m_session.prompt(), this);
        accepted = dialog.exec() == QDialog::Accepted;
        edited = dialog.settings();
    } else if (id == CmdMonoSettings) {
        CSettingMonoDlg dialog(edited, m_session.prompt(), this);
        accepted = dialog.exec() == QDialog::Accepted;
        edited = dialog.settings();
    } else {
        CSettingOutputDlg dialog(edited, m_session.prompt(), this);
        accepted = dialog.exec() == QDialog::Accepted;
        edited = dialog.settings();
    }
    if (!accepted)
        return;
    m_session.applySettings(edited);
    refillCombo();
    refreshPreview();
}

void CRetonerDlg::convert()
{
    m_running = true;
    updateControls();
    m_session.batch().convertAll(m_session.settings(), *m_progress);
    m_running = false;
    updateControls();
}

void CRetonerDlg::updateControls()
{
    const int count = m_session.batch().count();
    const MainControlStates s = mainControlStates(count, m_list->selectedRows().size(), m_running);
    const std::pair<int, bool> enabling[] = {
        {CmdRegister, s.registerFiles}, {CmdColor, s.colorMono},        {CmdMono, s.colorMono},
        {CmdDelete, s.remove},          {CmdSelectAll, s.selectAll},    {CmdShow, s.show},
        {CmdOpenSettings, s.settings},  {CmdSaveSettings, s.settings},  {IdSettingsCombo, s.settings},
        {CmdColorSettings, s.settings}, {CmdMonoSettings, s.settings},  {CmdOutputSettings, s.settings},
        {CmdConvert, s.convert},        {CmdClose, s.close},            {CmdShowSource, s.view},
        {CmdShowConverted, s.view},     {CmdFitToWindow, s.view},       {CmdDotByDot, s.view},
    };
    for (const auto &[id, enabled] : enabling)
        if (QWidget *w = control(id))
            w->setEnabled(enabled);
    m_list->setEnabled(s.list);
    m_hbar->setEnabled(s.view);
    m_vbar->setEnabled(s.view);
    m_count->setText(QStringLiteral("%1 ").arg(count));
}

void CRetonerDlg::refillList()
{
    m_list->clear();
    for (int i = 0; i < m_session.batch().count(); ++i)
        m_list->addItem(new QListWidgetItem);
}

void CRetonerDlg::refillCombo()
{
    m_combo->blockSignals(true);
    m_combo->clear();
    m_combo->addItems(m_session.recentNames());
    m_combo->setCurrentIndex(m_session.recentSelection());
    m_combo->blockSignals(false);
}

void CRetonerDlg::refreshPreview()
{
    const std::optional<PreviewJob> job = m_session.previewJob();
    if (!job) {
        m_renderer.clear();
        previewArrived({}, {}, false);
        return;
    }
    if (!m_waiting) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_waiting = true;
    }
    m_renderer.request(*job);
}

void CRetonerDlg::previewArrived(const QImage &source, const QImage &converted, bool)
{
    if (m_waiting) {
        QApplication::restoreOverrideCursor();
        m_waiting = false;
    }
    m_source = source;
    m_converted = converted;
    m_scaled = QImage();
    updateScrollBars();
    m_view->update();
}

const QImage &CRetonerDlg::shownImage() const
{
    return m_showConverted ? m_converted : m_source;
}

void CRetonerDlg::updateScrollBars()
{
    m_scroll.update(shownImage().size(), m_view->size(), m_fitToWindow);
    const std::pair<QScrollBar *, std::pair<int, int>> bars[] = {
        {m_hbar, {m_scroll.rangeX(), m_scroll.x()}},
        {m_vbar, {m_scroll.rangeY(), m_scroll.y()}},
    };
    for (const auto &[bar, values] : bars) {
        const QSignalBlocker blocker(bar);
        bar->setRange(0, values.first);
        bar->setValue(std::max(values.second, 0));
    }
}

void CRetonerDlg::paintPreview(QPainter &painter, const QRect &rect)
{
    painter.fillRect(rect, PreviewGround);
    const QImage &image = shownImage();
    if (m_session.batch().count() == 0 || image.isNull())
        return;
    if (m_fitToWindow) {
        const QRect target = fitRect(image.size(), rect.size()).translated(rect.topLeft());
        if (target.isEmpty())
            return;
        // Area averaging once per picture and view size, not on every paint.
        if (m_scaled.size() != target.size())
            m_scaled = image.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        painter.drawImage(target.topLeft(), m_scaled);
    } else {
        const QRect target = oneToOneRect(image.size(), rect.size(), m_scroll.x(), m_scroll.y());
        painter.drawImage(target.translated(rect.topLeft()).topLeft(), image);
    }
}

void CRetonerDlg::finishOnce()
{
    if (m_finished || !m_store)
        return;
    m_finished = true;
    m_session.finish(*m_store, geometry());
}

void CRetonerDlg::reject()
{
    // Esc, "閉じる" and the window's close all end here.
    if (m_running) {
        m_session.prompt().beep();
        return;
    }
    finishOnce();
    QDialog::reject();
}

void CRetonerDlg::closeEvent(QCloseEvent *event)
{
    if (m_running) {
        m_session.prompt().beep();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}
