#pragma once

#include "fileinformation.h"
#include "listgeometry.h"
#include "shelfmodel.h"
#include "shelfsettings.h"

#include "pageview/readersettings.h"
#include "ui/headerbuttons.h"

#include <QFont>
#include <QWidget>

#include <functional>

class QMenu;
class QSettings;

namespace leafreader {

class MyListCtrl;
class TileDelegate;
class TileListModel;

// List mode: the header (two text lines and the icon cells) and below it the
// tile list of the folder or resume screen. It shows what the ShelfModel
// holds and turns keys, clicks, menus and pad buttons into list commands.
// What concerns the frame or the book goes out through signals.
class ShelfView : public QWidget {
    Q_OBJECT
public:
    // `store` is the program's settings store, where the list keeps the
    // resume entries and the settings dialog's values.
    ShelfView(ReaderSettings &settings, ShelfSettings &listSettings, QSettings &store,
              platform::Prompt &prompt, QWidget *parent = nullptr);
    ~ShelfView() override;

    ShelfModel &model() { return m_model; }
    MyListCtrl *list() const { return m_list; }
    const TileMetrics &metrics() const { return m_metrics; }
    HeaderLayout headerLayout() const;
    bool fullScreen() const { return m_fullScreen; }

    // Start-up: reads the resume list, shows the first screen and opens the
    // given book (through openBookRequested).
    void start(const QString &bookPath = {});
    // A book dropped on the window or handed over by a second start.
    void openPath(const QString &bookPath);

    // Full screen switched: sizes and fonts again, and the list rebuilt
    // (nothing when the state is the one shown).
    void setFullScreen(bool on);
    // While a book is shown the list is not rebuilt by layout changes (a
    // gone folder would ask to retry in the middle of reading); closing the
    // book lists the screen again anyway.
    void setBookShown(bool shown) { m_bookShown = shown; }
    // Sizes, fonts and pictures from the settings, then the list again with
    // the same row selected.
    void applyLayout();
    // Shows the model's current rows and selection.
    void refresh();

    // List-mode commands (open, switch, up, top, delete, settings, file
    // information). False for a command that is not one of them.
    bool onCommand(int id);
    // A key the list did not keep; false when it means nothing here.
    bool handleKey(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat = false);
    void padButton(int button);
    // The folder or resume menu at a global position.
    void showContextMenu(QPoint globalPos);
    // That menu, with the items' states now; the caller owns it.
    QMenu *createMenu();

    // After a book closed: the resume rules of the closing mode, then the
    // list again with the book selected.
    void bookClosed(int mode, BookEntry &book, int pageAtOpening);
    // The caller opened the row it was asked to open.
    void bookOpened(const BookEntry &row) { m_model.bookOpened(row); }

    // Asks before resume entries are deleted (default: the dialog); tests
    // replace it.
    std::function<bool()> confirmDelete;
    // Shows the settings dialog over the reader's and the list screens'
    // values; returns true when the values were taken. Tests replace it; the
    // default runs SettingDlg.
    std::function<bool(ReaderSettings &, ShelfSettings &)> editSettings;
    // Stores the resume list and the current folder (default: into the
    // settings store). Called whenever either changes.
    std::function<void()> persist;

    // Shows the file information dialog (list mode, and the open book in
    // book mode). Tests replace it.
    std::function<void(const FileInformation &)> showInformation;

signals:
    void openBookRequested(const leafreader::BookEntry &row);
    // Commands for the frame: full screen, exit, about, control pad.
    void frameCommand(int id);
    void controlPadRequested(QPoint globalPos);
    void padScalePreview(int scale);
    // The settings dialog was confirmed (book layout, pad size follow).
    void settingsApplied();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void applySizes();
    void placeList();
    void syncSelectionFromList();
    void fileInformation();
    void settingsDialog();
    void deleteResume();
    void openSelected();

    ReaderSettings &m_settings;
    ShelfSettings &m_listSettings;
    QSettings &m_store;
    platform::Prompt &m_prompt;
    ShelfModel m_model;
    MyListCtrl *m_list = nullptr;
    TileListModel *m_tiles = nullptr;
    TileDelegate *m_delegate = nullptr;
    TileMetrics m_metrics;
    QFont m_mainLarge, m_mainSmall, m_listLarge, m_listSmall;
    bool m_fullScreen = false;
    ui::HeaderButtons m_headerButtons;
    bool m_refreshing = false;
    bool m_started = false;
    bool m_bookShown = false;
};

} // namespace leafreader
