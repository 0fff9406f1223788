#pragma once

#include "core/controlenabling.h"
#include "core/harvestersettings.h"
#include "core/runcontroller.h"

#include <platform/progress.h>
#include <ui/waitcursor.h>

#include <QDialog>

#include <map>
#include <optional>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSettings;

namespace platform {
class Prompt;
}

// Harvester's main window: the conversion, the folders, the book options,
// Start and Stop, the status line, the progress bar and the log. It shows
// what its RunController reports and forwards every user action to it.
class CHarvesterDlg : public QDialog, private harvester::RunObserver {
    Q_OBJECT
public:
    explicit CHarvesterDlg(platform::Prompt &prompt, QWidget *parent = nullptr);

    harvester::RunController &run() { return m_run; }

    // The located extractor program.
    void setExtractor(const QString &path) { m_run.setExtractor(path); }

    void loadSettings(const QSettings &store);
    void saveSettings(QSettings &store) const;
    // Where the settings go when the dialog is closed; none keeps them unwritten.
    void setSettingsStore(QSettings *store) { m_store = store; }
    // Fills the folder boxes (from the command line); empty texts leave a box as it is.
    void setFolders(const QString &target, const QString &work);

    // The one door for buttons, keys, menus and tests.
    void onCommand(int id);

    QWidget *control(int id) const;
    // The controls' choices as the settings keep them.
    harvester::HarvesterSettings currentChoices() const;

    void reject() override;

signals:
    // Every command that reaches onCommand, before it runs.
    void commandIssued(int id);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void applySettings(const harvester::HarvesterSettings &settings);
    void applyEnabling(bool idle);
    harvester::RunOptions runOptions() const;
    void start();
    void browse(QLineEdit *box, const QString &caption);
    void closeDialog();

    // What the run reports.
    void begin(const QString &title, int range) override;
    void setText(const QString &text) override;
    void setPosition(int position) override;
    void processEvents() override;
    void logLine(const QString &text) override;
    void runningChanged(bool running) override;

    // A wait cursor while a folder is packed.
    class WaitCursorProgress : public platform::Progress {
    public:
        void begin(const QString &, int) override { m_cursor.emplace(); }
        void end() override { m_cursor.reset(); }

    private:
        std::optional<platform::WaitCursor> m_cursor;
    };

    platform::Prompt &m_prompt;
    WaitCursorProgress m_waitCursor;
    harvester::RunController m_run;
    QSettings *m_store = nullptr;
    bool m_closing = false;

    std::map<int, QWidget *> m_controls;
    QComboBox *m_process = nullptr;
    QComboBox *m_postProcess = nullptr;
    QComboBox *m_parentFolder = nullptr;
    QCheckBox *m_subFolder = nullptr;
    QCheckBox *m_spread = nullptr;
    QCheckBox *m_cover = nullptr;
    QCheckBox *m_bindR = nullptr;
    QCheckBox *m_thumb = nullptr;
    QCheckBox *m_nameAsTitle = nullptr;
    QCheckBox *m_numberAsDate = nullptr;
    QLineEdit *m_targetFolder = nullptr;
    QLineEdit *m_workFolder = nullptr;
    QLabel *m_status = nullptr;
    QProgressBar *m_progress = nullptr;
    QPlainTextEdit *m_log = nullptr;
};
