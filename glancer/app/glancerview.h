#pragma once

#include "colorlistctrl.h"
#include "filenamedlg.h"

#include "core/folderlist.h"
#include "core/glancersettings.h"
#include "core/previewer.h"
#include "core/sizetable.h"

#include "pageview/pageview.h"
#include "platform/prompt.h"
#include "ui/headerbuttons.h"

#include <QFont>
#include <QTimer>

#include <functional>

class QMenu;
class QSettings;

namespace glancer {

// The one view of Glancer's frame. In list mode it shows the header band
// and the list of drives, or of the folders and images of a folder; in
// preview mode the opened image and its neighbours as pages. Every key,
// click, wheel turn, menu item and pad button becomes a command for
// onCommand; the logic lives in FolderList and Previewer.
class CGlancerView : public leafreader::CPageView {
    Q_OBJECT
public:
    // `store` receives the settings dialog's values and CurrentFolder.
    CGlancerView(GlancerSettings &settings, QSettings &store, platform::Prompt &prompt, QWidget *parent = nullptr);
    ~CGlancerView() override;
    // Puts "CurrentFolder" into the store; the frame writes the store.
    void saveCurrentFolder() { m_settings.saveCurrentFolder(m_store); }

    void onCommand(int id) override;

    // Start-up: lists the folder of `path` (a folder itself, or an image's
    // folder), else CurrentFolder; an image path is then opened.
    void start(const QString &path);
    // Opens an image row; on failure shows "ファイルを開けません。", beeps and
    // stays in list mode.
    bool openImage(const PreviewRow &row);
    void closePreview();
    bool previewMode() const { return pagesShown(); }

    FolderList &folderList() { return m_list; }
    Previewer &previewer() { return m_preview; }
    CColorListCtrl *listCtrl() const { return m_listCtrl; }
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

    // The menu of the current mode with its item states (the caller shows
    // and deletes it).
    QMenu *createMenu();
    // The control pad's labels: Glancer's buttons on the reader's 3 x 7
    // grid, in the language in use.
    static QStringList padLabels();
    // The timer's work (cursor hiding), callable by tests.
    void timerTick() { tickPointer(); }
    void toggleControlPadAt(QPoint globalPos) override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void tick() override { timerTick(); }
    void showMenu(QPoint globalPos) override;
    // List mode: the list's keys; a press on the header marks a button or
    // else shows the control pad.
    void listKeyPress(QKeyEvent *event) override;
    void listMousePress(QMouseEvent *event) override;
    // Released over the marked header button, that button's command.
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void applySizes();
    void placeChildren();
    void refreshList(const QString &selectName);
    void showRows();
    void listKey(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat);
    void openSelected();
    void settingsDialog();
    void padButton(int button);
    void updateFileNames();

    GlancerSettings &m_settings;
    QSettings &m_store;
    platform::Prompt &m_prompt;
    FolderList m_list;
    Previewer m_preview;
    CColorListCtrl *m_listCtrl;
    CFileNameDlg *m_fileNames;
    QFont m_listFont, m_headerFont;
    PreviewRow m_currentRow;
    QString m_title;
    bool m_fullScreen = false;
    ui::HeaderButtons m_headerButtons;
};

} // namespace glancer
