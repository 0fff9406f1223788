#pragma once

#include "colorlistctrl.h"
#include "filenamedlg.h"

#include "core/folderlist.h"
#include "core/glancersettings.h"
#include "core/previewer.h"
#include "core/sizetable.h"

#include "pageview/autoturn.h"
#include "pageview/bookcontroller.h"
#include "pageview/bookpainter.h"
#include "pageview/controldlg.h"
#include "pageview/pagesession.h"
#include "platform/prompt.h"

#include <QFont>
#include <QTimer>
#include <QWidget>

#include <functional>

class QMenu;
class QSettings;

namespace glancer {

// The one view of Glancer's frame. In list mode it shows the header band
// and the list of drives, or of the folders and images of a folder; in
// preview mode the opened image and its neighbours as pages. Every key,
// click, wheel turn, menu item and pad button becomes a command for
// onCommand; the logic lives in FolderList and Previewer.
class CGlancerView : public QWidget {
    Q_OBJECT
public:
    // `store` receives the settings dialog's values and CurrentFolder.
    CGlancerView(GlancerSettings &settings, QSettings &store, platform::Prompt &prompt, QWidget *parent = nullptr);
    ~CGlancerView() override;
    // Puts "CurrentFolder" into the store; the frame writes the store.
    void saveCurrentFolder() { m_settings.saveCurrentFolder(m_store); }

    // The one door for commands (menu ids, keys, cells, pad buttons).
    void onCommand(int id);

    // Start-up: lists the folder of `path` (a folder itself, or an image's
    // folder), else CurrentFolder; an image path is then opened.
    void start(const QString &path);
    // Opens an image row; on failure shows "ファイルを開けません。", beeps and
    // stays in list mode.
    bool openImage(const PreviewRow &row);
    void closePreview();
    bool previewMode() const { return m_previewMode; }

    FolderList &folderList() { return m_list; }
    Previewer &previewer() { return m_preview; }
    leafreader::PageSession &session() { return m_session; }
    CColorListCtrl *listCtrl() const { return m_listCtrl; }
    leafreader::CControlDlg &controlPad() { return *m_pad; }
    CFileNameDlg &fileNamePopup() { return *m_fileNames; }
    const PreviewRow &currentRow() const { return m_currentRow; }
    QString documentTitle() const { return m_title; }

    // Full screen switched: the size index of the new state.
    void setFullScreen(bool on);
    bool fullScreen() const { return m_fullScreen; }
    SizeMetrics metrics() const { return SizeMetrics::forIndex(m_settings.sizeIndex(m_fullScreen)); }
    // The header's buttons (pictures::HeaderButton) and where they are.
    QRect headerButtonRect(int button) const;
    int headerButtonAt(QPoint point) const;

    // Shows the settings dialog on a copy of the values; true when they were
    // taken. Tests replace it.
    std::function<bool(GlancerSettings &)> editSettings;
    // Whether the frame is in full screen (menu check mark).
    std::function<bool()> isFullScreen;

    // The menu of the current mode with its item states (the caller shows
    // and deletes it).
    QMenu *createMenu();
    // The timer's work (cursor hiding), callable by tests.
    void timerTick();
    bool cursorHidden() const { return m_cursorHidden; }
    // Shows the pad for a click at a screen point, or hides it.
    void toggleControlPadAt(QPoint globalPos);

signals:
    void documentTitleChanged(const QString &title);
    void fullScreenToggleRequested();
    void leaveFullScreenRequested();
    void exitRequested();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void applySizes();
    void placeChildren();
    void refreshList(const QString &selectName);
    void showRows();
    void listKey(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat);
    void openSelected();
    void settingsDialog();
    void padButton(int button);
    void updateViewport();
    void updateFileNames();
    void setCursorHidden(bool hidden);
    void showMenu(QPoint globalPos);
    void sendListKey(int key);

    GlancerSettings &m_settings;
    QSettings &m_store;
    platform::Prompt &m_prompt;
    leafreader::PageSession m_session;
    FolderList m_list;
    Previewer m_preview;
    leafreader::BookPainter m_painter;
    leafreader::IdleCursor m_idle;
    leafreader::WheelNotches m_wheel;
    CColorListCtrl *m_listCtrl;
    leafreader::CControlDlg *m_pad;
    CFileNameDlg *m_fileNames;
    QTimer m_timer;
    QTimer m_resolutionTimer;
    QFont m_listFont, m_headerFont;
    PreviewRow m_currentRow;
    QString m_title;
    bool m_previewMode = false;
    bool m_fullScreen = false;
    bool m_menuOpen = false;
    bool m_cursorHidden = false;
    int m_pressedButton = -1;
};

} // namespace glancer
