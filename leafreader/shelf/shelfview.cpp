#include "shelfview.h"

#include "fileinfodlg.h"
#include "inqresumedeletedlg.h"
#include "listcommands.h"
#include "listtexts.h"
#include "settingdlg.h"
#include "shelflist.h"
#include "shelfpictures.h"

#include "pageview/commandmenu.h"
#include <platform/settings.h>
#include <ui/uifont.h>

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>

#include <memory>

namespace leafreader {

namespace {

const QColor kFolderBackground(40, 60, 80);
const QColor kResumeBackground(80, 60, 40);
const QColor kFolderHeaderText(111, 180, 240);
const QColor kResumeHeaderText(240, 180, 111);

// A font for a line of `cellHeight` pixels. Japanese fonts here have lines
// far taller than their size; they are reduced until their letters (not
// their full line) fit the cell.
QFont listFont(int cellHeight)
{
    QFont font;
    font.setFamilies(platform::uiFontFamilies());
    font.setWeight(QFont::Normal);
    font.setStyleStrategy(QFont::PreferAntialias);
    const int cell = std::max(1, cellHeight);
    font.setPixelSize(cell);
    const int line = QFontMetrics(font).height();
    if (line > cell)
        font.setPixelSize(std::max(1, std::max(cell * cell / line, cell * 4 / 5)));
    return font;
}

// The list screens' menus: the screen's head, on the folder screen the
// folder moves, then deleting a resume entry and the common end.
constexpr CommandItem kFolderMenuHead[] = {
    {CmdOpenRow, QT_TRANSLATE_NOOP("CommandMenu", "ファイルを開く"), "Enter"},
    {CmdFileInfo, QT_TRANSLATE_NOOP("CommandMenu", "ファイル情報"), "Ctrl+I"},
    {0, nullptr, nullptr},
    {CmdSwitchScreenKeep, QT_TRANSLATE_NOOP("CommandMenu", "Resume画面へ(選択継承)"), "Tab"},
    {CmdSwitchScreen, QT_TRANSLATE_NOOP("CommandMenu", "Resume画面へ(選択無視)"), "Ctrl+O"},
};

constexpr CommandItem kDeleteResume[] = {
    {CmdDeleteResume, QT_TRANSLATE_NOOP("CommandMenu", "Resume登録削除"), "Backspace"},
};

constexpr CommandItem kResumeMenuHead[] = {
    {CmdOpenRow, QT_TRANSLATE_NOOP("CommandMenu", "ファイルを開く"), "Enter"},
    {CmdFileInfo, QT_TRANSLATE_NOOP("CommandMenu", "ファイル情報"), "Ctrl+I"},
    {0, nullptr, nullptr},
    {CmdSwitchScreenKeep, QT_TRANSLATE_NOOP("CommandMenu", "Folder画面へ(選択継承)"), "Tab"},
    {CmdSwitchScreen, QT_TRANSLATE_NOOP("CommandMenu", "Folder画面へ(選択無視)"), "Ctrl+O"},
};

} // namespace

ShelfView::ShelfView(ReaderSettings &settings, ShelfSettings &listSettings, QSettings &store,
                     platform::Prompt &prompt, QWidget *parent)
    : QWidget(parent), m_settings(settings), m_listSettings(listSettings), m_store(store), m_prompt(prompt),
      m_model(listSettings, prompt),
      m_headerButtons(kHeaderIconCount, [this](int icon) {
          const HeaderLayout header = headerLayout();
          return header.iconShown(icon) ? header.iconRect(icon) : QRect();
      })
{
    setFocusPolicy(Qt::StrongFocus);
    m_list = new MyListCtrl(this);
    m_tiles = new TileListModel(this);
    m_delegate = new TileDelegate(this);
    m_list->setModel(m_tiles);
    m_list->setItemDelegate(m_delegate);
    setFocusProxy(m_list);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { syncSelectionFromList(); });
    connect(m_list, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        m_model.select(index.row());
        openSelected();
    });
    connect(m_list, &MyListCtrl::keyForView, this,
            [this](int key, Qt::KeyboardModifiers mods, bool repeat) { handleKey(key, mods, repeat); });
    connect(m_list, &MyListCtrl::extraButton, this, [this](Qt::MouseButton button) {
        if (button == Qt::BackButton && !m_model.onResumeScreen())
            onCommand(CmdUpFolder);
    });
    connect(m_list, &MyListCtrl::contextMenuWanted, this, [this](QPoint global, bool keyboard) {
        showContextMenu(keyboard ? mapToGlobal(QPoint(50, 50)) : global);
    });

    confirmDelete = [this] { return CInqResumeDeleteDlg(this).exec() == QDialog::Accepted; };
    editSettings = [this](ReaderSettings &values, ShelfSettings &listValues) {
        SettingDlg dialog(values, listValues, m_prompt, this);
        dialog.onPadScalePreview = [this](int scale) { emit padScalePreview(scale); };
        if (dialog.exec() != QDialog::Accepted)
            return false;
        values = dialog.values();
        listValues = dialog.listValues();
        return true;
    };
    showInformation = [this](const FileInformation &information) {
        FileInfoDlg dialog(information, this);
        dialog.exec();
    };
    persist = [this] {
        m_listSettings.writeResume(m_store, m_prompt);
    };
    m_model.setPersist([this] {
        if (persist)
            persist();
    });

    applySizes();
}

ShelfView::~ShelfView() = default;

HeaderLayout ShelfView::headerLayout() const
{
    HeaderLayout h;
    h.height = m_metrics.headerHeight;
    h.clientWidth = width();
    h.fullScreen = m_fullScreen;
    h.upFolderShown = !m_model.onResumeScreen() && !m_model.currentFolder().isEmpty();
    return h;
}

void ShelfView::start(const QString &bookPath)
{
    // Sizes and fonts are in place already: the constructor applied them and
    // every change of the full-screen state or the settings applies them again.
    m_started = true;
    const ShelfModel::OpenRequest request = m_model.start(bookPath);
    refresh();
    if (request.kind == ShelfModel::OpenRequest::OpenBook)
        emit openBookRequested(request.book);
}

void ShelfView::openPath(const QString &bookPath)
{
    const ShelfModel::OpenRequest request = m_model.openPath(bookPath);
    refresh();
    if (request.kind == ShelfModel::OpenRequest::OpenBook)
        emit openBookRequested(request.book);
    else if (request.kind == ShelfModel::OpenRequest::Beep)
        m_prompt.beep();
}

void ShelfView::setFullScreen(bool on)
{
    if (on == m_fullScreen)
        return;
    m_fullScreen = on;
    applyLayout();
}

void ShelfView::applySizes()
{
    m_metrics = TileMetrics::compute(m_fullScreen ? m_settings.scaleFullScreen : m_settings.scaleNormal,
                                     m_settings.scaleListColumn);
    m_mainLarge = listFont(m_metrics.mainLarge);
    m_mainSmall = listFont(m_metrics.mainSmall);
    m_listLarge = listFont(m_metrics.listLarge);
    m_listSmall = listFont(m_metrics.listSmall);
    m_delegate->setMetrics(m_metrics, m_listLarge, m_listSmall);
    m_list->setTileSize(m_metrics.tile);
    m_list->setFont(m_listLarge);
    placeList();
}

void ShelfView::applyLayout()
{
    applySizes();
    if (!m_started || m_bookShown)
        return;
    m_model.relist();
    refresh();
}

void ShelfView::refresh()
{
    m_refreshing = true;
    const bool resume = m_model.onResumeScreen();
    std::vector<TileListModel::Tile> tiles;
    tiles.reserve(m_model.rows().size());
    for (const BookEntry &row : m_model.rows()) {
        TileListModel::Tile tile{tileText(row, resume, m_settings.apcPriority), row.thumbnail, {}};
        if (tile.text.picture < 0 && row.thumbnail.isEmpty() && (row.thumbnailFlag & 1))
            tile.thumbnailPath = row.path;
        tiles.push_back(std::move(tile));
    }
    m_list->setUpdatesEnabled(false);
    m_tiles->setTiles(std::move(tiles), m_metrics.picture);
    const int row = m_model.selected();
    if (row >= 0) {
        const QModelIndex index = m_tiles->index(row);
        m_list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        m_list->scrollTo(index);
    }
    m_list->setUpdatesEnabled(true);
    m_refreshing = false;
    update();
}

void ShelfView::syncSelectionFromList()
{
    if (m_refreshing)
        return;
    m_model.select(m_list->currentIndex().row());
    update(0, 0, width(), m_metrics.headerHeight);
}

void ShelfView::placeList()
{
    const int h = m_metrics.headerHeight;
    m_list->setGeometry(0, h, width(), std::max(0, height() - h));
    if (m_list->currentIndex().isValid())
        m_list->scrollTo(m_list->currentIndex());
}

void ShelfView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeList();
    update();
}

void ShelfView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const bool resume = m_model.onResumeScreen();
    p.fillRect(rect(), resume ? kResumeBackground : kFolderBackground);
    const HeaderLayout header = headerLayout();
    const int textRight = header.textRight();
    p.setPen(resume ? kResumeHeaderText : kFolderHeaderText);
    p.setFont(m_mainLarge);
    const QRect line1(6, 0, std::max(0, textRight - 6), m_metrics.mainLarge);
    p.drawText(line1, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
               QFontMetrics(m_mainLarge).elidedText(m_model.headerLine1(), Qt::ElideRight, line1.width()));
    p.setFont(m_mainSmall);
    const QRect line2(6, m_metrics.mainLarge, std::max(0, textRight - 6), m_metrics.mainSmall);
    p.drawText(line2, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
               QFontMetrics(m_mainSmall).elidedText(m_model.headerLine2(), Qt::ElideMiddle, line2.width()));

    m_headerButtons.paint(p, ShelfPictures::headerIcon, 0.6);
}

void ShelfView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::BackButton) {
        if (!m_model.onResumeScreen())
            onCommand(CmdUpFolder);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    const QPoint pos = event->position().toPoint();
    if (pos.y() < 0 || pos.y() >= m_metrics.headerHeight)
        return;
    if (!m_headerButtons.press(pos)) {
        emit controlPadRequested(event->globalPosition().toPoint());
        return;
    }
    update(0, 0, width(), m_metrics.headerHeight);
}

void ShelfView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_headerButtons.pressed() < 0)
        return QWidget::mouseReleaseEvent(event);
    const int chosen = m_headerButtons.release(event->position().toPoint());
    update(0, 0, width(), m_metrics.headerHeight);
    if (chosen >= 0)
        onCommand(headerIconCommand(chosen));
}

void ShelfView::contextMenuEvent(QContextMenuEvent *event)
{
    showContextMenu(event->reason() == QContextMenuEvent::Keyboard ? mapToGlobal(QPoint(50, 50))
                                                            : event->globalPos());
}

void ShelfView::keyPressEvent(QKeyEvent *event)
{
    if (!handleKey(event->key(), event->modifiers(), event->isAutoRepeat()))
        QWidget::keyPressEvent(event);
}

void ShelfView::showContextMenu(QPoint globalPos)
{
    const std::unique_ptr<QMenu> menu(createMenu());
    menu->exec(globalPos);
}

QMenu *ShelfView::createMenu()
{
    auto *menu = new QMenu(this);
    const auto state = [this](int id) {
        if (id == CmdFullScreen)
            return ItemState{true, m_fullScreen};
        return ItemState{m_model.commandEnabled(id), false};
    };
    const auto command = [this](int id) { onCommand(id); };
    if (m_model.onResumeScreen()) {
        addCommandItems(menu, kResumeMenuHead, state, command);
    } else {
        addCommandItems(menu, kFolderMenuHead, state, command);
        addCommandItems(menu, folderMenuItems(), state, command);
    }
    addCommandItems(menu, kDeleteResume, state, command);
    addCommandItems(menu, listMenuEnd(QT_TRANSLATE_NOOP("CommandMenu", "Leafreaderについて ...")), state, command);
    return menu;
}

bool ShelfView::handleKey(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat)
{
    if (autoRepeat)
        return true;
    const ListAction action = listKeyAction(key, modifiers, !m_model.onResumeScreen());
    if (action.isNothing())
        return false;
    if (action.command)
        onCommand(action.command);
    return true;
}

void ShelfView::padButton(int button)
{
    runListAction(listPadAction(button, !m_model.onResumeScreen()), m_list, [this](int id) { onCommand(id); });
}

bool ShelfView::onCommand(int id)
{
    switch (id) {
    case CmdOpenRow:
    case CmdExpandFolder:
        openSelected();
        return true;
    case CmdSwitchScreenKeep:
    case CmdSwitchScreen:
        m_model.switchScreen(id == CmdSwitchScreenKeep);
        refresh();
        return true;
    case CmdUpFolder:
        if (!m_model.upOneFolder())
            m_prompt.beep();
        refresh();
        return true;
    case CmdTopFolder:
        if (!m_model.toDriveList())
            m_prompt.beep();
        refresh();
        return true;
    case CmdDeleteResume:
        deleteResume();
        return true;
    case CmdSettings:
        settingsDialog();
        return true;
    case CmdFileInfo:
        fileInformation();
        return true;
    case CmdFullScreen:
    case CmdExit:
    case CmdAbout:
    case CmdEnterFullScreen:
    case CmdLeaveFullScreen:
    case CmdHidePad:
    case CmdControlPad:
        emit frameCommand(id);
        return true;
    default:
        return false;
    }
}

void ShelfView::openSelected()
{
    const ShelfModel::OpenRequest request = m_model.openSelected();
    refresh();
    if (request.kind == ShelfModel::OpenRequest::Beep)
        m_prompt.beep();
    else if (request.kind == ShelfModel::OpenRequest::OpenBook)
        emit openBookRequested(request.book);
}

void ShelfView::deleteResume()
{
    if (!m_model.commandEnabled(CmdDeleteResume) || !m_model.deleteResume(confirmDelete))
        m_prompt.beep();
    refresh();
}

void ShelfView::fileInformation()
{
    const BookEntry *row = m_model.selectedRow();
    if (!row || row->kind != BookEntry::BookFile) {
        m_prompt.beep();
        return;
    }
    if (showInformation)
        showInformation(gatherFileInformation(row->path, row->fileSize));
}

void ShelfView::settingsDialog()
{
    ReaderSettings values = m_settings;
    ShelfSettings listValues = m_listSettings;
    if (!editSettings || !editSettings(values, listValues))
        return;
    m_settings.takeDialogValues(values);
    m_listSettings.takeDialogValues(listValues);
    m_settings.saveDialogValues(m_store);
    m_listSettings.saveDialogValues(m_store);
    platform::syncSettings(m_store, m_prompt);
    m_model.resetRememberedBook();
    applyLayout();
    emit settingsApplied();
}

void ShelfView::bookClosed(int mode, BookEntry &book, int pageAtOpening)
{
    m_model.bookClosed(mode, book, pageAtOpening);
    refresh();
    m_list->setFocus();
}

} // namespace leafreader
