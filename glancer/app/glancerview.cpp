#include "glancerview.h"

#include "glancerpictures.h"
#include "settingdlg.h"

#include "core/folderlisting.h"
#include "core/glancercommands.h"
#include "pageview/commandmenu.h"
#include "platform/filenames.h"
#include "platform/paths.h"
#include "platform/settings.h"
#include "platform/version.h"
#include "ui/waitcursor.h"

#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QSettings>

namespace glancer {

namespace {

const QColor kHeaderText(111, 160, 192);

QFont uiFont(int pixelHeight)
{
    QFont font(QStringList{QStringLiteral("MS UI Gothic"), QStringLiteral("Noto Sans CJK JP")});
    font.setWeight(QFont::Normal);
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setPixelSize(std::max(1, pixelHeight));
    return font;
}

using leafreader::CommandItem;

constexpr CommandItem kListOpen[] = {
    {CmdOpenRow, QT_TRANSLATE_NOOP("CommandMenu", "ファイルを開く"), "Enter"},
    {0, nullptr, nullptr},
};

constexpr CommandItem kPreviewClose[] = {
    {CmdFullScreen, QT_TRANSLATE_NOOP("CommandMenu", "Full Screen 切替"), "Ctrl+F"},
    {0, nullptr, nullptr},
    {CmdClosePreview, QT_TRANSLATE_NOOP("CommandMenu", "表示終了"), "Esc"},
    {0, nullptr, nullptr},
};

constexpr CommandItem kFileNameItems[] = {
    {0, nullptr, nullptr},
    {CmdFileNames, QT_TRANSLATE_NOOP("CommandMenu", "ファイル名表示"), "Backspace"},
};

constexpr CommandItem kLayoutItems[] = {
    {CmdLayout1, QT_TRANSLATE_NOOP("CommandMenu", "単一ページ"), nullptr},
    {CmdLayout2, QT_TRANSLATE_NOOP("CommandMenu", "表紙あり見開き"), nullptr},
    {CmdLayout3, QT_TRANSLATE_NOOP("CommandMenu", "表紙なし見開き"), nullptr},
};

constexpr CommandItem kBindingItems[] = {
    {CmdBindRight, QT_TRANSLATE_NOOP("CommandMenu", "右綴じ"), nullptr},
    {CmdBindLeft, QT_TRANSLATE_NOOP("CommandMenu", "左綴じ"), nullptr},
};

constexpr CommandItem kPreviewEnd[] = {
    {0, nullptr, nullptr},
    {CmdExit, QT_TRANSLATE_NOOP("CommandMenu", "終了"), "Alt+F4"},
};

} // namespace

CGlancerView::CGlancerView(GlancerSettings &settings, QSettings &store, platform::Prompt &prompt, QWidget *parent)
    : CPageView(settings, {previewKeyCommand, previewCellCommand}, parent),
      m_settings(settings),
      m_store(store),
      m_prompt(prompt),
      m_list(settings, prompt),
      m_preview(m_session, settings),
      m_listCtrl(new CColorListCtrl(this)),
      m_fileNames(new CFileNameDlg(this)),
      m_headerButtons(pictures::kHeaderButtonCount, [this](int button) { return headerButtonRect(button); })
{
    m_pad->setFace(leafreader::CControlDlg::drawFace(padLabels()));
    m_pad->setHighlight(leafreader::CControlDlg::Highlight::HalfOpacityOver);
    m_pad->setPadSize(leafreader::CControlDlg::sizeFor(m_settings.padSize));
    connect(m_pad, &leafreader::CControlDlg::buttonClicked, this, &CGlancerView::padButton);

    connect(m_listCtrl, &CColorListCtrl::keyForView, this, &CGlancerView::listKey);
    connect(m_listCtrl, &CColorListCtrl::rowOpened, this, [this](int row) {
        m_list.select(row);
        openSelected();
    });
    connect(m_listCtrl, &CColorListCtrl::contextMenuWanted, this, [this](QPoint global, bool keyboard) {
        showMenu(keyboard ? mapToGlobal(QPoint(50, 50)) : global);
    });
    connect(m_listCtrl->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &index) { m_list.select(index.row()); });

    m_preview.onRepaint = [this] { update(); };
    m_preview.onFileNamesChanged = [this] { updateFileNames(); };

    editSettings = [this](GlancerSettings &values) {
        CSettingDlg dialog(values, m_prompt, this);
        dialog.onPadSizePreview = [this](int size) { m_pad->setPadSize(leafreader::CControlDlg::sizeFor(size)); };
        if (dialog.exec() != QDialog::Accepted)
            return false;
        values = dialog.values();
        return true;
    };
    applySizes();
}

QStringList CGlancerView::padLabels()
{
    // The words are marked for translation, the arrows are not.
    static const char *const kLabels[] = {
        QT_TRANSLATE_NOOP("GlancerPad", "終了"), "✥", "—", //
        "|◀", "▶|", QT_TRANSLATE_NOOP("GlancerPad", "全画面"), //
        "◀", "▶", "≪", //
        QT_TRANSLATE_NOOP("GlancerPad", "閉じる"), QT_TRANSLATE_NOOP("GlancerPad", "閉じる"), "≫", //
        QT_TRANSLATE_NOOP("GlancerPad", "レイアウト"), "▲", QT_TRANSLATE_NOOP("GlancerPad", "名前"), //
        "◀", QT_TRANSLATE_NOOP("GlancerPad", "拡大"), "▶", //
        QT_TRANSLATE_NOOP("GlancerPad", "綴じ"), "▼", QT_TRANSLATE_NOOP("GlancerPad", "閉じる"),
    };
    QStringList labels;
    for (const char *label : kLabels)
        labels << QCoreApplication::translate("GlancerPad", label);
    return labels;
}

CGlancerView::~CGlancerView()
{
    // The frame has written it when it closed, with a message if that
    // failed; a view that ends without its frame closing writes it here,
    // where no message can be shown any more.
    m_settings.saveCurrentFolder(m_store);
    platform::syncSettings(m_store);
}

void CGlancerView::applySizes()
{
    const SizeMetrics m = metrics();
    m_listFont = uiFont(m.listFont);
    m_headerFont = uiFont(m.columnHeaderFont);
    m_listCtrl->applyMetrics(m, m_listFont, m_headerFont);
    placeChildren();
    update();
}

void CGlancerView::placeChildren()
{
    const int h = metrics().headerHeight;
    m_listCtrl->setGeometry(0, h, width(), std::max(0, height() - h));
    m_listCtrl->setColumnWidths(width());
    if (m_listCtrl->current() >= 0)
        m_listCtrl->scrollTo(m_listCtrl->currentIndex());
    m_fileNames->place();
}

void CGlancerView::setFullScreen(bool on)
{
    m_fullScreen = on;
    applySizes();
}

void CGlancerView::start(const QString &path)
{
    QString select;
    if (!path.isEmpty()) {
        const QString absolute = platform::absolutePath(path);
        const platform::PathInfo info = platform::pathInfo(absolute);
        QFile readable;
        if (info.isFolder) {
            m_settings.currentFolder = platform::withoutTrailingSlash(absolute);
        } else if (info.isFile && platform::openFile(readable, absolute, QIODevice::ReadOnly)) {
            m_settings.currentFolder = platform::folderOf(absolute);
            select = platform::fileNameOf(absolute);
        } else {
            m_prompt.message(tr("ファイルを開けません。"), platform::PromptIcon::Stop);
        }
    }
    refreshList(select);
    if (!select.isEmpty()) {
        const int row = m_list.findPath(platform::joinPath(m_settings.currentFolder, select));
        if (row >= 0) {
            m_list.select(row);
            showRows();
            openImage(m_list.rows()[size_t(row)]);
        }
    }
    startTicking();
}

void CGlancerView::refreshList(const QString &selectName)
{
    platform::WaitCursor wait;
    m_list.refresh(selectName);
    showRows();
}

void CGlancerView::showRows()
{
    // Filling the list may report its current row as gone.
    const int selected = m_list.selected();
    m_listCtrl->rowModel()->setRows(m_list.rows());
    m_list.select(selected);
    m_listCtrl->setCurrent(selected);
    // The list takes its keys from the start and after every change of
    // folder, not only once it was clicked.
    if (!pagesShown())
        m_listCtrl->setFocus();
    update(0, 0, width(), metrics().headerHeight);
}

bool CGlancerView::openImage(const PreviewRow &row)
{
    Previewer::OpenResult result;
    {
        platform::WaitCursor wait;
        updateViewport();
        result = m_preview.open(row);
    }
    if (result != Previewer::OpenResult::Opened) {
        m_prompt.message(tr("ファイルを開けません。"), platform::PromptIcon::Stop);
        m_prompt.beep();
        return false;
    }
    m_currentRow = m_preview.current();
    m_title = platform::shownName(platform::fileNameOf(row.path));
    emit documentTitleChanged(m_title);
    m_listCtrl->hide();
    pagesOpened();
    return true;
}

void CGlancerView::closePreview()
{
    if (!pagesShown())
        return;
    pagesClosed();
    m_preview.close();
    m_title.clear();
    emit documentTitleChanged(m_title);
    m_fileNames->hide();
    // Back to the row as it was opened.
    m_currentRow = m_preview.current();
    m_currentRow.path = m_preview.pathAtOpening();
    m_currentRow.position = m_session.positionAtOpening();
    refreshList(platform::fileNameOf(m_preview.pathAtOpening()));
    m_listCtrl->show();
    m_listCtrl->setFocus();
    update();
}

void CGlancerView::openSelected()
{
    const FolderList::OpenRequest request = m_list.openSelected();
    showRows();
    if (request.kind == FolderList::OpenRequest::Beep)
        m_prompt.beep();
    else if (request.kind == FolderList::OpenRequest::OpenImage)
        openImage(request.row);
}

void CGlancerView::onCommand(int id)
{
    if ((pagesShown() && m_preview.onCommand(id)) || frameCommand(id))
        return;
    switch (id) {
    case CmdAbout:
        m_prompt.message(QStringLiteral("Glancer  Ver.") + platform::versionText(), platform::PromptIcon::Information,
                         platform::PromptButtons::Ok, tr("Glancer について"));
        return;
    case CmdClosePreview: closePreview(); return;
    default: break;
    }
    if (pagesShown())
        return; // list commands mean nothing while previewing
    switch (id) {
    case CmdOpenRow:
    case CmdExpandFolder: openSelected(); return;
    case CmdUpFolder:
        if (!m_list.upOneFolder())
            m_prompt.beep();
        showRows();
        return;
    case CmdTopFolder:
        if (!m_list.toDriveList())
            m_prompt.beep();
        showRows();
        return;
    case CmdSettings: settingsDialog(); return;
    default: return;
    }
}

void CGlancerView::settingsDialog()
{
    GlancerSettings values = m_settings;
    const bool taken = editSettings && editSettings(values);
    if (taken) {
        const QString folder = m_settings.currentFolder;
        m_settings = values;
        m_settings.currentFolder = folder;
        m_settings.saveDialogValues(m_store);
        platform::syncSettings(m_store, m_prompt);
        applySizes();
        m_currentRow.reset();
        const PreviewRow *selected = m_list.selectedRow();
        refreshList(selected ? rowName(*selected) : QString());
    }
    m_pad->setPadSize(leafreader::CControlDlg::sizeFor(m_settings.padSize));
}

void CGlancerView::padButton(int button)
{
    if (pagesShown()) {
        if (const int command = previewPadCommand(button))
            onCommand(command);
        return;
    }
    leafreader::runListAction(listPadAction(button), m_listCtrl, [this](int id) { onCommand(id); });
}

void CGlancerView::toggleControlPadAt(QPoint global)
{
    const int s = m_settings.padSize;
    m_pad->toggleAt(QPoint(global.x() - s * 384 / 200, global.y() - s * 896 / 1000));
}

void CGlancerView::updateFileNames()
{
    if (pagesShown() && m_preview.fileNamesShown())
        m_fileNames->showTexts(m_preview.fileNameTexts());
    else
        m_fileNames->hide();
}

QRect CGlancerView::headerButtonRect(int button) const
{
    const bool shown[pictures::kHeaderButtonCount] = {!m_list.inDriveList(), true, m_fullScreen};
    if (!shown[button])
        return {};
    const int h = metrics().headerHeight;
    int right = width();
    for (int b = pictures::kHeaderButtonCount - 1; b >= 0; --b) {
        if (!shown[b])
            continue;
        if (b == button)
            return QRect(right - h, 0, h, h);
        right -= h;
    }
    return {};
}

int CGlancerView::headerButtonAt(QPoint point) const
{
    return m_headerButtons.at(point);
}

void CGlancerView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (pagesShown()) {
        paintPages(painter);
        return;
    }
    const SizeMetrics m = metrics();
    painter.fillRect(rect(), Qt::black);
    int textRight = width();
    for (int b = 0; b < pictures::kHeaderButtonCount; ++b) {
        const QRect cell = headerButtonRect(b);
        if (!cell.isNull())
            textRight = std::min(textRight, cell.left());
    }
    m_headerButtons.paint(painter, pictures::headerButton, 1.0);
    painter.setPen(kHeaderText);
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    const QRect first(4, 0, std::max(0, textRight - 4), m.headerFirstLine);
    painter.setFont(m_listFont);
    painter.drawText(first, flags, QStringLiteral("Folder"));
    const QRect second(4, m.headerFirstLine, std::max(0, textRight - 4), m.headerSecondLine());
    painter.setFont(m_headerFont);
    painter.drawText(second, flags,
                     QFontMetrics(m_headerFont).elidedText(m_list.folderLine(), Qt::ElideMiddle, second.width()));
}

void CGlancerView::resizeEvent(QResizeEvent *)
{
    placeChildren();
    viewResized();
    if (pagesShown())
        updateFileNames();
}

void CGlancerView::listKey(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat)
{
    if (pagesShown() || autoRepeat)
        return;
    const int command = listKeyCommand(key, modifiers);
    if (command > 0)
        onCommand(command);
}

void CGlancerView::listKeyPress(QKeyEvent *event)
{
    listKey(event->key(), event->modifiers(), event->isAutoRepeat());
    QWidget::keyPressEvent(event);
}

void CGlancerView::listMousePress(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    if (m_headerButtons.press(point)) {
        update(0, 0, width(), metrics().headerHeight);
        return;
    }
    toggleControlPadAt(mapToGlobal(point + QPoint(0, metrics().headerHeight)));
}

void CGlancerView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_headerButtons.pressed() < 0) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const int chosen = m_headerButtons.release(event->position().toPoint());
    update(0, 0, width(), metrics().headerHeight);
    if (chosen < 0)
        return;
    static constexpr int kButtonCommands[pictures::kHeaderButtonCount] = {CmdUpFolder, CmdSettings, CmdExit};
    onCommand(kButtonCommands[chosen]);
}

QMenu *CGlancerView::createMenu()
{
    const auto state = [this](int id) {
        if (id == CmdFullScreen)
            return leafreader::ItemState{true, isFullScreen && isFullScreen()};
        if (pagesShown())
            return m_preview.itemState(id);
        return leafreader::ItemState{m_list.commandEnabled(id), false};
    };
    const auto command = [this](int id) { onCommand(id); };
    auto *menu = new QMenu(this);
    if (!pagesShown()) {
        leafreader::addCommandItems(menu, kListOpen, state, command);
        leafreader::addCommandItems(menu, leafreader::folderMenuItems(), state, command);
        const auto end = leafreader::listMenuEnd(QT_TRANSLATE_NOOP("CommandMenu", "Glancerについて ..."));
        leafreader::addCommandItems(menu, end, state, command);
        return menu;
    }
    leafreader::addCommandItems(menu, kPreviewClose, state, command);
    leafreader::addCommandItems(menu, leafreader::pageMoveMenuItems(), state, command);
    leafreader::addCommandItems(menu, kFileNameItems, state, command);
    QMenu *layout = leafreader::addCommandSubmenu(menu, QT_TRANSLATE_NOOP("CommandMenu", "レイアウト"));
    leafreader::addCommandItems(layout, kLayoutItems, state, command);
    QMenu *binding = leafreader::addCommandSubmenu(menu, QT_TRANSLATE_NOOP("CommandMenu", "画像の見開きモード"));
    leafreader::addCommandItems(binding, kBindingItems, state, command);
    QMenu *zoom = leafreader::addCommandSubmenu(menu, QT_TRANSLATE_NOOP("CommandMenu", "拡大表示"));
    leafreader::addCommandItems(zoom, leafreader::zoomMenuItems(), state, command);
    leafreader::addCommandItems(menu, kPreviewEnd, state, command);
    return menu;
}

void CGlancerView::showMenu(QPoint globalPos)
{
    execMenu(createMenu(), globalPos);
}

} // namespace glancer
