#pragma once

#include "core/binderyeditor.h"

#include <ui/busyprogress.h>

#include <QDialog>
#include <QImage>
#include <QTimer>

#include <array>

class CMyGraph;
class CPageListBox;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSpinBox;

// The editor's main window: shows the document of a BinderyEditor and
// forwards every user action to it as a command.
class CBinderyDlg : public QDialog {
    Q_OBJECT
public:
    explicit CBinderyDlg(platform::Prompt &prompt, QWidget *parent = nullptr);

    bindery::BinderyEditor &editor() { return m_editor; }

    // Settings in and out (the stored "WinPos" is applied unless ignored).
    void loadSettings(QSettings &store, bool applyWindowPosition = true);
    void saveSettings(QSettings &store);
    // Where settings go when the dialog closes; none keeps them unwritten.
    void setSettingsStore(QSettings *store) { m_store = store; }

    // The one door for menus, buttons, keys and tests.
    void onCommand(int id);
    void processArguments(const bindery::LaunchArguments &launch);

    // Controls by their ids, for tests.
    QWidget *control(int id) const;
    CPageListBox *pageList() const { return m_pageList; }
    QMenu *fileMenu() const { return m_fileMenu; }
    // Grays the file menu's items as they would be shown now.
    void updateFileMenu();
    const QImage &previewSlotA() const { return m_slotA; }
    const QImage &previewSlotB() const { return m_slotB; }
    // The stored sizes of the pictures in the two slots (empty when none).
    QSize previewSizeA() const { return m_naturalA; }
    QSize previewSizeB() const { return m_naturalB; }

    void reject() override;

signals:
    // Every command that reaches onCommand, before it runs.
    void commandIssued(int id);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void buildFileMenu();
    void applyChanges();
    void refreshFields();
    void refreshCombos();
    void refreshPageList();
    // Makes waiting list thumbnails a few at a time between events: the rows
    // in view first, then the others from the top.
    void fillThumbnails();
    // The rows the page list shows, first and last; (-1, -1) when empty.
    std::pair<int, int> visibleRows() const;
    void applySelection();
    void updateControls();
    void reloadPreview(bool force);
    void paintPreview(QPainter &painter, const QRect &rect);
    void movePreviewTo(int position);
    void editAttributes();
    void openSettingsDialog();
    void focusField(bindery::Field field);
    void fieldEdited();

    // The editor's long work: the wait cursor while it runs, and repaints
    // without user input while it waits. Commands wait until it ends.
    platform::BusyProgress m_progress;
    bindery::BinderyEditor m_editor;
    QSettings *m_store = nullptr;
    bool m_syncing = false;

    CPageListBox *m_pageList = nullptr;
    QLabel *m_pageCount = nullptr;
    std::map<int, QPushButton *> m_buttons;
    QRadioButton *m_single = nullptr;
    QRadioButton *m_spread = nullptr;
    QRadioButton *m_coverNo = nullptr;
    QRadioButton *m_coverYes = nullptr;
    QRadioButton *m_bindLeft = nullptr;
    QRadioButton *m_bindRight = nullptr;
    QCheckBox *m_thumbnail = nullptr;
    std::array<QComboBox *, 5> m_combos{};
    QCheckBox *m_dateCheck = nullptr;
    QSpinBox *m_year = nullptr;
    QSpinBox *m_month = nullptr;
    QSpinBox *m_day = nullptr;
    CMyGraph *m_preview = nullptr;
    QScrollBar *m_scroll = nullptr;
    QMenu *m_fileMenu = nullptr;
    std::map<int, QAction *> m_menuActions;
    QTimer m_resizeTimer;
    QTimer m_thumbnailTimer;
    int m_fillFrom = 0; // no page before it waits for its thumbnail

    QImage m_slotA;
    QImage m_slotB;
    QSize m_naturalA;
    QSize m_naturalB;
    int m_shownSpread = -1;
};
