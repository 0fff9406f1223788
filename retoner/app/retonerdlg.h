#pragma once

#include "core/previewgeometry.h"
#include "core/previewrenderer.h"
#include "core/retonersession.h"

#include <QDialog>
#include <QImage>

#include <functional>
#include <map>
#include <optional>

class CDrawnButton;
class CPageListBox;
class CPreviewView;
class CProgressDlg;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QSettings;

// Retoner's main window: the image list, the settings controls, the preview
// of the current image before and after conversion. It shows the state of a
// RetonerSession and forwards every user action to onCommand(id).
class CRetonerDlg : public QDialog {
    Q_OBJECT
public:
    // Controls that are no commands.
    enum ControlId { IdSettingsCombo = 1100, IdPreview = 1101 };

    explicit CRetonerDlg(platform::Prompt &prompt, QWidget *parent = nullptr);
    ~CRetonerDlg() override;

    retoner::RetonerSession &session() { return m_session; }

    // Start: the stored values, "$LastSetting.tnp", the recent files (the
    // stored window rectangle is applied unless told not to).
    void start(QSettings *store, bool applyWindowPosition = true);
    // The pictures on the command line, once the window is up.
    void processArguments(const QStringList &arguments);
    // Registration of dropped or given paths, after the registration dialog.
    void registerPaths(const QStringList &paths);

    // The one door for buttons, keys, menus and tests.
    void onCommand(int id);

    // How the registration dialog is answered: the dialog itself, unless a
    // test plans its answer (none: cancelled).
    using ModeChooser = std::function<std::optional<retoner::RegistrationMode>()>;
    void setModeChooser(ModeChooser chooser) { m_chooseMode = std::move(chooser); }

    // For tests and the screenshot.
    QWidget *control(int id) const;
    CPageListBox *list() const { return m_list; }
    QComboBox *settingsCombo() const { return m_combo; }
    CPreviewView *view() const { return m_view; }
    QScrollBar *horizontalBar() const { return m_hbar; }
    QScrollBar *verticalBar() const { return m_vbar; }
    CProgressDlg *progress() const { return m_progress; }
    const QImage &sourceImage() const { return m_source; }
    const QImage &convertedImage() const { return m_converted; }
    const retoner::PreviewScroll &scroll() const { return m_scroll; }
    bool showsConverted() const { return m_showConverted; }
    bool fitsToWindow() const { return m_fitToWindow; }
    bool isRunning() const { return m_running; }
    // Delivers the preview being computed (tests, the screenshot).
    bool waitForPreview(int milliseconds = 30000) { return m_renderer.waitForIdle(milliseconds); }

    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void updateControls();
    void refillList();
    void refillCombo();
    void refreshPreview();
    void previewArrived(const QImage &source, const QImage &converted, bool read);
    void updateScrollBars();
    void paintPreview(QPainter &painter, const QRect &rect);
    const QImage &shownImage() const;
    void showItem(int row);
    std::optional<retoner::RegistrationMode> chooseMode();
    void runRegistration(const QStringList &paths, retoner::RegistrationMode mode);
    void runSettingsDialog(int id);
    void convert();
    void finishOnce();

    retoner::RetonerSession m_session;
    retoner::PreviewRenderer m_renderer;
    retoner::PreviewScroll m_scroll;
    QSettings *m_store = nullptr;
    ModeChooser m_chooseMode;
    bool m_running = false;   // a registration or conversion runs
    bool m_finished = false;  // the settings were written at exit
    bool m_waiting = false;   // the wait cursor is shown for a preview
    bool m_showConverted = true;
    bool m_fitToWindow = true;
    bool m_syncingCombo = false;

    QImage m_source;
    QImage m_converted;
    QImage m_scaled; // the fitted picture, made again for a new picture or view size

    CPageListBox *m_list = nullptr;
    QLabel *m_count = nullptr;
    QComboBox *m_combo = nullptr;
    std::map<int, QWidget *> m_controls;
    QPushButton *m_sourceButton = nullptr;
    QPushButton *m_convertedButton = nullptr;
    QPushButton *m_fitButton = nullptr;
    QPushButton *m_dotButton = nullptr;
    CPreviewView *m_view = nullptr;
    QScrollBar *m_hbar = nullptr;
    QScrollBar *m_vbar = nullptr;
    CProgressDlg *m_progress = nullptr;
};
