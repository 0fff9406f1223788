#include "binderydlg.h"

#include "attreditdlg.h"
#include "pagelistbox.h"
#include "settingdlg.h"

#include "core/messages.h"
#include "core/previewlayout.h"

#include <book/pagepairing.h>
#include <ui/mygraph.h>
#include <ui/windowaccelerators.h>
#include <picture/picture.h>
#include <platform/version.h>

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QWheelEvent>

using namespace bindery;

namespace {

// Control ids of the main dialog that are not commands.
enum ControlId {
    IdPageList = 1000,
    IdPageCount = 1002,
    IdSpread = 1016,
    IdSingle = 1017,
    IdCoverNo = 1013,
    IdCoverYes = 1005,
    IdBindLeft = 1015,
    IdBindRight = 1014,
    IdThumbnail = 1018,
    IdTitle = 1049,
    IdDateCheck = 1040,
    IdYear = 1027,
    IdMonth = 1029,
    IdDay = 1030,
    IdPreview = 1019,
    IdScroll = 1031,
};

// The smallest size of the window: the dialog template's 504 x 430 units.
constexpr QSize kMinimumSize(800, 660);

QIcon saveIcon(bool saveAs)
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(30, 40, 90), 1.5));
    p.setBrush(QColor(70, 100, 190));
    p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 4, 10, 6));
    p.setBrush(QColor(200, 200, 210));
    p.drawRect(QRectF(7, 13, 10, 7));
    if (saveAs) {
        p.setPen(QPen(QColor(220, 120, 0), 2.5));
        p.drawLine(QPointF(15, 21), QPointF(22, 14));
    }
    return QIcon(pixmap);
}

} // namespace

CBinderyDlg::CBinderyDlg(platform::Prompt &prompt, QWidget *parent) : QDialog(parent), m_editor(prompt)
{
    setObjectName(QStringLiteral("CBinderyDlg"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setSizeGripEnabled(true);
    buildControls();
    buildFileMenu();
    setMinimumSize(kMinimumSize);
    resize(kMinimumSize);

    m_editor.setThumbnailBox(m_pageList->thumbnailBox());
    m_editor.setProgress(m_progress);
    m_editor.setRefreshHook([this] { applyChanges(); });

    m_resizeTimer.setSingleShot(true);
    m_resizeTimer.setInterval(40);
    connect(&m_resizeTimer, &QTimer::timeout, this, [this] { reloadPreview(true); });
    m_thumbnailTimer.setSingleShot(true);
    m_thumbnailTimer.setInterval(0);
    connect(&m_thumbnailTimer, &QTimer::timeout, this, &CBinderyDlg::fillThumbnails);
    connect(m_pageList->verticalScrollBar(), &QScrollBar::valueChanged, &m_thumbnailTimer,
            qOverload<>(&QTimer::start));

    auto *about = new QAction(tr("Binderyについて(&A)..."), this);
    connect(about, &QAction::triggered, this, [this] {
        m_editor.prompt().message(text::AboutText + platform::versionText(), platform::PromptIcon::None,
                                  platform::PromptButtons::Ok, text::AboutCaption);
    });
    addAction(about);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    refreshFields();
    refreshCombos();
    applyChanges();
}

void CBinderyDlg::buildControls()
{
    auto *top = new QHBoxLayout(this);

    // Page list.
    auto *listColumn = new QVBoxLayout;
    listColumn->addWidget(new QLabel(tr("ページリスト (Drag&Drop可)"), this));
    m_pageList = new CPageListBox(this);
    m_pageList->setFixedWidth(170);
    listColumn->addWidget(m_pageList, 1);
    top->addLayout(listColumn);

    // Page buttons and file commands.
    auto *buttonColumn = new QVBoxLayout;
    auto makeButton = [this](int id, const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setAutoDefault(false);
        b->setDefault(false);
        m_buttons[id] = b;
        connect(b, &QPushButton::clicked, this, [this, id] { onCommand(id); });
        return b;
    };
    buttonColumn->addWidget(new QLabel(tr("ページ数"), this));
    m_pageCount = new QLabel(this);
    m_pageCount->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_pageCount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    buttonColumn->addWidget(m_pageCount);
    buttonColumn->addSpacing(12);
    buttonColumn->addWidget(makeButton(CmdMoveTop, tr("先頭へ")));
    buttonColumn->addWidget(makeButton(CmdMoveUp, tr("上へ")));
    buttonColumn->addWidget(makeButton(CmdMoveDown, tr("下へ")));
    buttonColumn->addWidget(makeButton(CmdMoveBottom, tr("末尾へ")));
    buttonColumn->addSpacing(12);
    buttonColumn->addWidget(makeButton(CmdDelete, tr("削除")));
    buttonColumn->addWidget(makeButton(CmdDuplicate, tr("複製")));
    buttonColumn->addWidget(makeButton(CmdSelectAll, tr("全選択")));
    buttonColumn->addStretch(1);
    buttonColumn->addWidget(makeButton(CmdFileMenu, tr("ファイル メニュー ▼")));
    buttonColumn->addWidget(makeButton(CmdSettings, tr("設定...")));
    auto *saveRow = new QHBoxLayout;
    QPushButton *save = makeButton(CmdSaveButton, QString());
    save->setIcon(saveIcon(false));
    save->setIconSize(QSize(24, 24));
    save->setToolTip(tr("上書き保存"));
    save->setAccessibleName(tr("上書き保存"));
    QPushButton *saveAs = makeButton(CmdSaveAsButton, QString());
    saveAs->setIcon(saveIcon(true));
    saveAs->setIconSize(QSize(24, 24));
    saveAs->setToolTip(tr("名前を付けて保存"));
    saveAs->setAccessibleName(tr("名前を付けて保存"));
    saveRow->addWidget(save);
    saveRow->addWidget(saveAs);
    buttonColumn->addLayout(saveRow);
    auto *buttonBox = new QWidget(this);
    buttonBox->setLayout(buttonColumn);
    buttonBox->setFixedWidth(136);
    top->addWidget(buttonBox);

    // Attributes, layout and preview.
    auto *right = new QVBoxLayout;
    auto *flagsRow = new QHBoxLayout;
    auto makePair = [this](const QString &title, const QString &first, const QString &second,
                           QRadioButton *&a, QRadioButton *&b) {
        auto *group = new QGroupBox(title, this);
        auto *layout = new QVBoxLayout(group);
        a = new QRadioButton(first, group);
        b = new QRadioButton(second, group);
        layout->addWidget(a);
        layout->addWidget(b);
        auto *exclusive = new QButtonGroup(group);
        exclusive->addButton(a);
        exclusive->addButton(b);
        return group;
    };
    flagsRow->addWidget(makePair(tr("表示"), tr("単一"), tr("見開き"), m_single, m_spread));
    flagsRow->addWidget(makePair(tr("表紙"), tr("なし"), tr("あり"), m_coverNo, m_coverYes));
    flagsRow->addWidget(makePair(tr("綴じ方"), tr("左綴じ"), tr("右綴じ"), m_bindLeft, m_bindRight));
    flagsRow->addStretch(1);
    auto *closeColumn = new QVBoxLayout;
    closeColumn->addWidget(makeButton(CmdClose, tr("閉じる")));
    closeColumn->addStretch(1);
    flagsRow->addLayout(closeColumn);
    right->addLayout(flagsRow);

    m_thumbnail = new QCheckBox(tr("サムネールを付ける"), this);
    right->addWidget(m_thumbnail);

    auto *fields = new QGridLayout;
    const QString labels[5] = {tr("タイトル"), tr("サブタイトル"), tr("著者(一人目)"), tr("出版社(一社目)"),
                               tr("サークル(一つ目)")};
    for (int i = 0; i < 5; ++i) {
        auto *combo = new QComboBox(this);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->lineEdit()->setMaxLength(kvb::kMaxTextChars);
        combo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        combo->setObjectName(QStringLiteral("combo%1").arg(IdTitle + i));
        m_combos[size_t(i)] = combo;
        fields->addWidget(new QLabel(labels[i], this), i, 0);
        fields->addWidget(combo, i, 1);
        connect(combo, &QComboBox::editTextChanged, this, [this] { fieldEdited(); });
        connect(combo, &QComboBox::activated, this, [this] { fieldEdited(); });
    }
    right->addLayout(fields);

    auto *dateRow = new QGridLayout;
    m_dateCheck = new QCheckBox(tr("出版日"), this);
    auto makeSpin = [this](int max) {
        auto *spin = new QSpinBox(this);
        spin->setRange(0, max);
        spin->setMinimumWidth(70);
        connect(spin, &QSpinBox::valueChanged, this, [this] { fieldEdited(); });
        return spin;
    };
    m_year = makeSpin(9999);
    m_month = makeSpin(12);
    m_day = makeSpin(31);
    dateRow->addWidget(m_dateCheck, 0, 0);
    dateRow->addWidget(m_year, 0, 1);
    dateRow->addWidget(new QLabel(tr("年"), this), 0, 2);
    dateRow->addWidget(m_month, 0, 3);
    dateRow->addWidget(new QLabel(tr("月"), this), 0, 4);
    dateRow->addWidget(m_day, 0, 5);
    dateRow->addWidget(new QLabel(tr("日"), this), 0, 6);
    dateRow->addWidget(new QLabel(tr("（不明：0）"), this), 1, 3, 1, 4);
    dateRow->setColumnStretch(7, 1);
    right->addLayout(dateRow);
    auto *attrRow = new QHBoxLayout;
    attrRow->addStretch(1);
    attrRow->addWidget(makeButton(CmdEditAttributes, tr("その他の付加情報の編集...")));
    right->addLayout(attrRow);

    auto *frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    auto *frameLayout = new QHBoxLayout(frame);
    frameLayout->setContentsMargins(2, 2, 2, 2);
    frameLayout->setSpacing(0);
    m_preview = new CMyGraph(frame, IdPreview);
    m_preview->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_preview->setPaintCallback([this](QPainter &p, const QRect &r, QWidget *, int) { paintPreview(p, r); });
    m_preview->installEventFilter(this);
    m_scroll = new QScrollBar(Qt::Vertical, frame);
    frameLayout->addWidget(m_preview, 1);
    frameLayout->addWidget(m_scroll);
    right->addWidget(frame, 1);
    top->addLayout(right, 1);

    connect(m_pageList, &QListWidget::itemSelectionChanged, this, [this] {
        if (m_syncing)
            return;
        std::vector<int> rows;
        for (const QModelIndex &index : m_pageList->selectionModel()->selectedRows())
            rows.push_back(index.row());
        m_editor.setSelection(rows);
        updateControls();
    });
    connect(m_pageList, &QListWidget::itemDoubleClicked, this, [this] {
        if (m_editor.document().selection.size() == 1)
            movePreviewTo(m_editor.document().selection.front() + 1);
    });
    connect(m_pageList, &CPageListBox::filesDropped, this, [this](const QStringList &paths) {
        if (m_progress.busy())
            return;
        m_editor.dropFiles(paths);
        applyChanges();
    });
    connect(m_pageList, &CPageListBox::commandRequested, this, &CBinderyDlg::onCommand);

    auto radio = [this](QRadioButton *button, bool reload) {
        connect(button, &QRadioButton::clicked, this, [this, reload] {
            fieldEdited();
            if (reload)
                reloadPreview(true);
        });
    };
    radio(m_coverNo, true);
    radio(m_coverYes, true);
    radio(m_bindLeft, true);
    radio(m_bindRight, true);
    connect(m_spread, &QRadioButton::toggled, this, [this](bool on) {
        if (m_syncing || m_editor.document().pageSpread == on)
            return;
        fieldEdited();
        reloadPreview(true);
    });
    connect(m_thumbnail, &QCheckBox::clicked, this, [this] { fieldEdited(); });
    connect(m_dateCheck, &QCheckBox::clicked, this, [this] { fieldEdited(); });
    connect(m_scroll, &QScrollBar::valueChanged, this, [this](int value) {
        if (!m_syncing)
            movePreviewTo(value + 1);
    });
}

void CBinderyDlg::buildFileMenu()
{
    m_fileMenu = new QMenu(this);
    struct Item {
        int id;
        const char *text;
        QKeySequence keys;
    };
    const Item items[] = {
        {CmdNew, QT_TRANSLATE_NOOP("CBinderyDlg", "新規作成(&N)"), QKeySequence(Qt::CTRL | Qt::Key_N)},
        {CmdOpenBook, QT_TRANSLATE_NOOP("CBinderyDlg", "KVBファイルを開く(&O)..."), QKeySequence(Qt::CTRL | Qt::Key_O)},
        {CmdAddImages, QT_TRANSLATE_NOOP("CBinderyDlg", "画像を追加(&P)..."), QKeySequence(Qt::CTRL | Qt::Key_P)},
        {CmdAddFolderImages, QT_TRANSLATE_NOOP("CBinderyDlg", "フォルダ内画像を追加(&F)..."), QKeySequence(Qt::CTRL | Qt::Key_F)},
        {CmdOpenFolderAsDocument, QT_TRANSLATE_NOOP("CBinderyDlg", "フォルダ内画像を文書として開く(&D)..."),
         QKeySequence(Qt::CTRL | Qt::Key_D)},
        {CmdSave, QT_TRANSLATE_NOOP("CBinderyDlg", "上書き保存(&S)"), QKeySequence(Qt::CTRL | Qt::Key_S)},
        {CmdSaveAs, QT_TRANSLATE_NOOP("CBinderyDlg", "名前を付けて保存(&A)..."),
         QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_S)},
        {CmdExportAll, QT_TRANSLATE_NOOP("CBinderyDlg", "全Page画像の書き出し(&E)..."), QKeySequence(Qt::CTRL | Qt::Key_E)},
        {CmdExportSelected, QT_TRANSLATE_NOOP("CBinderyDlg", "選択Page画像の書き出し(&W)..."),
         QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_E)},
        {CmdExportArchive, QT_TRANSLATE_NOOP("CBinderyDlg", "CBZの書き出し(&Z)..."), QKeySequence()},
    };
    // The keys act wherever the focus is, in the title and date fields too.
    auto *accelerators = new ui::WindowAccelerators(this);
    for (const Item &item : items) {
        if (item.id == CmdSave || item.id == CmdExportAll)
            m_fileMenu->addSeparator();
        QAction *action = m_fileMenu->addAction(tr(item.text));
        // The menu shows the keys; the window's own shortcuts below act on
        // them whatever the menu would show.
        action->setShortcut(item.keys);
        action->setShortcutContext(Qt::WidgetShortcut);
        const int id = item.id;
        connect(action, &QAction::triggered, this, [this, id] { onCommand(id); });
        m_menuActions[id] = action;
        if (!item.keys.isEmpty())
            accelerators->add(item.keys, [this, id] { onCommand(id); });
    }
    connect(m_fileMenu, &QMenu::aboutToShow, this, &CBinderyDlg::updateFileMenu);
}

void CBinderyDlg::updateFileMenu()
{
    const ControlStates s = m_editor.controlStates();
    for (auto &[id, action] : m_menuActions)
        action->setEnabled(true);
    m_menuActions[CmdSave]->setEnabled(s.save);
    m_menuActions[CmdSaveAs]->setEnabled(s.saveAs);
    m_menuActions[CmdExportAll]->setEnabled(s.saveAs);
    m_menuActions[CmdExportArchive]->setEnabled(s.saveAs);
    m_menuActions[CmdExportSelected]->setEnabled(s.exportSelected);
}

QWidget *CBinderyDlg::control(int id) const
{
    if (const auto it = m_buttons.find(id); it != m_buttons.end())
        return it->second;
    switch (id) {
    case IdPageList: return m_pageList;
    case IdPageCount: return m_pageCount;
    case IdSpread: return m_spread;
    case IdSingle: return m_single;
    case IdCoverNo: return m_coverNo;
    case IdCoverYes: return m_coverYes;
    case IdBindLeft: return m_bindLeft;
    case IdBindRight: return m_bindRight;
    case IdThumbnail: return m_thumbnail;
    case IdDateCheck: return m_dateCheck;
    case IdYear: return m_year;
    case IdMonth: return m_month;
    case IdDay: return m_day;
    case IdPreview: return m_preview;
    case IdScroll: return m_scroll;
    default:
        if (id >= IdTitle && id < IdTitle + 5)
            return m_combos[size_t(id - IdTitle)];
        return nullptr;
    }
}

void CBinderyDlg::loadSettings(QSettings &store, bool applyWindowPosition)
{
    m_editor.loadSettings(store);
    const auto &pos = m_editor.settings().winPos;
    if (applyWindowPosition && pos && pos->width() > 0 && pos->height() > 0)
        setGeometry(QRect(pos->topLeft(), pos->size().expandedTo(minimumSize())));
    applyChanges();
}

void CBinderyDlg::saveSettings(QSettings &store)
{
    m_editor.settings().winPos = geometry();
    m_editor.saveSettings(store);
}

void CBinderyDlg::processArguments(const bindery::LaunchArguments &launch)
{
    m_editor.processLaunchArguments(launch);
    applyChanges();
}

void CBinderyDlg::onCommand(int id)
{
    emit commandIssued(id);
    // Long work keeps the window painted; commands wait until it ends.
    if (m_progress.busy())
        return;
    switch (id) {
    case CmdFileMenu: {
        QWidget *button = m_buttons[CmdFileMenu];
        m_fileMenu->popup(button->mapToGlobal(QPoint(0, button->height())));
        return;
    }
    case CmdSettings: openSettingsDialog(); return;
    case CmdEditAttributes: editAttributes(); return;
    case CmdClose: reject(); return;
    default: break;
    }
    m_editor.runCommand(id);
    applyChanges();
}

void CBinderyDlg::reject()
{
    if (m_progress.busy() || !m_editor.confirmClose())
        return;
    if (m_store)
        saveSettings(*m_store);
    QDialog::reject();
}

void CBinderyDlg::keyPressEvent(QKeyEvent *event)
{
    // Enter does nothing; Escape closes through reject().
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CBinderyDlg::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    m_resizeTimer.start();
    // An import makes the thumbnails of the rows in view at once.
    const int side = std::max(1, m_pageList->itemSide());
    m_editor.setEagerThumbnails(m_pageList->viewport()->height() / side + 2);
    if (m_editor.nextPendingThumbnail() >= 0)
        m_thumbnailTimer.start();
}

bool CBinderyDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_preview && event->type() == QEvent::Wheel) {
        auto *wheel = static_cast<QWheelEvent *>(event);
        if (wheel->modifiers() == Qt::NoModifier && wheel->buttons() == Qt::NoButton) {
            const int dy = wheel->angleDelta().y();
            const int step = kvb::pageStep(m_editor.document().layoutFlags());
            if (dy > 0)
                movePreviewTo(m_editor.document().currentPosition - step);
            else if (dy < 0)
                movePreviewTo(m_editor.document().currentPosition + step);
        }
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CBinderyDlg::fieldEdited()
{
    if (m_syncing)
        return;
    BookDocument &d = m_editor.document();
    for (int i = 0; i < 5; ++i)
        d.principalText(uint8_t(kvb::Title + i)) = m_combos[size_t(i)]->currentText();
    d.datePresent = m_dateCheck->isChecked();
    d.year = m_year->value();
    d.month = m_month->value();
    d.day = m_day->value();
    d.cover = m_coverYes->isChecked();
    d.bindRight = m_bindRight->isChecked();
    d.pageSpread = m_spread->isChecked();
    d.withThumbnail = m_thumbnail->isChecked();
    m_editor.markModified();
    updateControls();
}

void CBinderyDlg::applyChanges()
{
    const unsigned changes = m_editor.takeChanges();
    if (changes & ChangePages)
        refreshPageList();
    if (changes & (ChangePages | ChangeSelection))
        applySelection();
    if (changes & ChangeFields)
        refreshFields();
    if (changes & (ChangeFields | ChangeHistories))
        refreshCombos();
    updateControls();
    reloadPreview(changes & (ChangePages | ChangeFields));
    if ((changes & ChangeScrollToEnd) && m_pageList->count() > 0)
        m_pageList->scrollToItem(m_pageList->item(m_pageList->count() - 1), QAbstractItemView::PositionAtTop);
    if (m_editor.nextPendingThumbnail() >= 0)
        m_thumbnailTimer.start();
    focusField(m_editor.takeFocusRequest());
}

void CBinderyDlg::refreshFields()
{
    const BookDocument &d = m_editor.document();
    m_syncing = true;
    m_spread->setChecked(d.pageSpread);
    m_single->setChecked(!d.pageSpread);
    m_coverYes->setChecked(d.cover);
    m_coverNo->setChecked(!d.cover);
    m_bindRight->setChecked(d.bindRight);
    m_bindLeft->setChecked(!d.bindRight);
    m_thumbnail->setChecked(d.withThumbnail);
    m_dateCheck->setChecked(d.datePresent);
    m_year->setValue(d.year);
    m_month->setValue(d.month);
    m_day->setValue(d.day);
    m_syncing = false;
}

void CBinderyDlg::refreshCombos()
{
    const BookDocument &d = m_editor.document();
    m_syncing = true;
    for (int i = 0; i < 5; ++i) {
        QComboBox *combo = m_combos[size_t(i)];
        combo->clear();
        combo->addItems(m_editor.histories().list(InputHistories::Kind(i)));
        combo->setEditText(d.principalText(uint8_t(kvb::Title + i)));
    }
    m_syncing = false;
}

void CBinderyDlg::refreshPageList()
{
    m_syncing = true;
    m_pageList->setUpdatesEnabled(false);
    m_pageList->clear();
    const kvb::PageList &pages = m_editor.document().pages;
    for (size_t i = 0; i < pages.size(); ++i) {
        auto *item = new QListWidgetItem;
        item->setData(CPageListBox::ThumbnailRole, pages[i].thumbnail);
        m_pageList->addItem(item);
    }
    m_pageList->setUpdatesEnabled(true);
    m_syncing = false;
    m_fillFrom = 0;
}

std::pair<int, int> CBinderyDlg::visibleRows() const
{
    const int count = m_pageList->count();
    if (count == 0)
        return {-1, -1};
    const QRect view = m_pageList->viewport()->rect();
    const QModelIndex top = m_pageList->indexAt(view.topLeft());
    const QModelIndex bottom = m_pageList->indexAt(QPoint(view.left(), view.bottom()));
    const int first = top.isValid() ? top.row() : 0;
    return {first, bottom.isValid() ? bottom.row() : count - 1};
}

void CBinderyDlg::fillThumbnails()
{
    // Imports, saves and the dialogs and message boxes over this window come
    // first; try again shortly.
    const QWidget *modal = QApplication::activeModalWidget();
    if (m_progress.busy() || (modal && modal != this)) {
        m_thumbnailTimer.start(50);
        return;
    }
    m_thumbnailTimer.setInterval(0);
    // Rows in view first; else a small batch from the top, so the window
    // answers between batches however many pages wait.
    constexpr int kBatch = 24;
    const auto [first, last] = visibleRows();
    std::vector<int> made = m_editor.makeThumbnails(first, last);
    if (made.empty()) {
        m_fillFrom = m_editor.nextPendingThumbnail(m_fillFrom);
        if (m_fillFrom < 0) {
            m_fillFrom = 0;
            return;
        }
        made = m_editor.makeThumbnails(m_fillFrom, m_fillFrom + kBatch - 1);
    }
    const kvb::PageList &pages = m_editor.document().pages;
    for (int index : made) {
        if (QListWidgetItem *item = m_pageList->item(index))
            item->setData(CPageListBox::ThumbnailRole, pages[size_t(index)].thumbnail);
    }
    if (m_editor.nextPendingThumbnail(m_fillFrom) >= 0)
        m_thumbnailTimer.start();
}

void CBinderyDlg::applySelection()
{
    const BookDocument &d = m_editor.document();
    m_syncing = true;
    m_pageList->clearSelection();
    for (int index : d.selection) {
        if (QListWidgetItem *item = m_pageList->item(index))
            item->setSelected(true);
    }
    if (d.selection.size() == 1)
        m_pageList->setCurrentRow(d.selection.front(), QItemSelectionModel::NoUpdate);
    m_syncing = false;
}

void CBinderyDlg::updateControls()
{
    m_editor.normalizePosition();
    const BookDocument &d = m_editor.document();
    const ControlStates s = m_editor.controlStates();
    m_buttons[CmdMoveUp]->setEnabled(s.moveUp);
    m_buttons[CmdMoveTop]->setEnabled(s.moveUp);
    m_buttons[CmdMoveDown]->setEnabled(s.moveDown);
    m_buttons[CmdMoveBottom]->setEnabled(s.moveDown);
    m_buttons[CmdDelete]->setEnabled(s.remove);
    m_buttons[CmdDuplicate]->setEnabled(s.duplicate);
    m_buttons[CmdSelectAll]->setEnabled(s.selectAll);
    m_buttons[CmdSaveButton]->setEnabled(s.save);
    m_buttons[CmdSaveAsButton]->setEnabled(s.saveAs);
    m_pageCount->setText(QString::asprintf("%u ", unsigned(d.pageCount())));
    for (QRadioButton *b : {m_coverNo, m_coverYes, m_bindLeft, m_bindRight})
        b->setEnabled(s.layoutRadios);
    for (QSpinBox *spin : {m_year, m_month, m_day})
        spin->setEnabled(s.dateFields);
    m_syncing = true;
    m_scroll->setRange(0, std::max(0, d.pageCount() - 1));
    m_scroll->setSingleStep(kvb::pageStep(d.layoutFlags()));
    m_scroll->setPageStep(10);
    m_scroll->setValue(std::max(0, d.currentPosition - 1));
    m_scroll->setEnabled(d.pageCount() > 0);
    m_syncing = false;
    setWindowTitle(m_editor.windowTitle());
}

void CBinderyDlg::movePreviewTo(int position)
{
    m_editor.setCurrentPosition(position);
    updateControls();
    reloadPreview(false);
}

void CBinderyDlg::reloadPreview(bool force)
{
    const BookDocument &d = m_editor.document();
    const int spreadNo = kvb::spreadIndex(d.currentPosition, d.layoutFlags());
    if (!force && spreadNo == m_shownSpread)
        return;
    m_shownSpread = spreadNo;
    m_slotA = QImage();
    m_slotB = QImage();
    m_naturalA = m_naturalB = QSize();
    if (!d.pages.empty()) {
        const kvb::SpreadPages pages = kvb::spreadPages(spreadNo, d.pageCount(), d.layoutFlags());
        const QSize area = m_preview->size();
        kvb::LoadOptions options;
        options.fitWithin = d.pageSpread ? QSize(std::max(1, area.width() / 2), area.height()) : area;
        auto load = [&](int index, QImage &slot, QSize &natural) {
            if (index < 0)
                return;
            options.naturalSize = &natural;
            if (!kvb::loadPagePicture(d.pages[size_t(index)], slot, options)) {
                slot = QImage();
                natural = QSize();
            }
        };
        load(pages.left, m_slotA, m_naturalA);
        load(pages.right, m_slotB, m_naturalB);
    }
    m_preview->update();
}

void CBinderyDlg::paintPreview(QPainter &painter, const QRect &rect)
{
    painter.fillRect(rect, QColor(64, 64, 64));
    const BookDocument &d = m_editor.document();
    if (d.pages.empty())
        return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    auto draw = [&](const QImage &image, const QRect &target) {
        if (!image.isNull() && !target.isEmpty())
            painter.drawImage(target, image);
    };
    if (!d.pageSpread) {
        draw(m_slotA, singlePageRect(rect, m_naturalA));
        return;
    }
    draw(m_slotA, spreadLeftRect(rect, m_naturalA));
    draw(m_slotB, spreadRightRect(rect, m_naturalB));
}

void CBinderyDlg::focusField(Field field)
{
    QWidget *target = nullptr;
    switch (field) {
    case Field::Title: target = m_combos[0]; break;
    case Field::Subtitle: target = m_combos[1]; break;
    case Field::Author: target = m_combos[2]; break;
    case Field::Publisher: target = m_combos[3]; break;
    case Field::Circle: target = m_combos[4]; break;
    case Field::Year: target = m_year; break;
    case Field::Month: target = m_month; break;
    case Field::Day: target = m_day; break;
    case Field::None: break;
    }
    if (target)
        target->setFocus();
}

void CBinderyDlg::editAttributes()
{
    // The fields are taken over first; the checks before a save (control
    // characters, the day of the month) wait for the save.
    if (!m_editor.validate(true)) {
        applyChanges();
        return;
    }
    const InputHistories &h = m_editor.histories();
    CAttrEditDlg::Histories histories{&h.list(InputHistories::Author), &h.list(InputHistories::Publisher),
                                      &h.list(InputHistories::Circle), &h.list(InputHistories::ItemName),
                                      &h.list(InputHistories::ItemValue)};
    CAttrEditDlg dlg(m_editor.prompt(), m_editor.document().otherAttributes, histories, this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    m_editor.mergeOtherAttributes(dlg.attributes());
    applyChanges();
}

void CBinderyDlg::openSettingsDialog()
{
    CSettingDlg dlg(m_editor.settings(), this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    BinderySettings &s = m_editor.settings();
    const BinderySettings &chosen = dlg.settings();
    s.autoFileName = chosen.autoFileName;
    s.nameAsTitle = chosen.nameAsTitle;
    s.nameTopAsDate = chosen.nameTopAsDate;
    s.parentNameAs = chosen.parentNameAs;
    s.expPrefix = chosen.expPrefix;
    s.expStartNum = chosen.expStartNum;
}
