#pragma once

#include "core/retoucheditor.h"

#include <ui/busyprogress.h>

#include <QDialog>

#include <array>

class CMyGraph;
class COffsetSpin;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QSettings;

// Retouch's main dialog: the path, the main view with its scroll bars, the
// magnifier, the column's position and offsets with their spin buttons, the
// curve choice and the display switch. It shows the editor's state and
// forwards every action to it; buttons and the right-click menu go through
// onCommand.
class CRetouchDlg : public QDialog {
    Q_OBJECT
public:
    // Control ids of the views (the CMyGraph ids).
    enum ControlId { IdMainView = 1010, IdMagnifier = 1011 };

    explicit CRetouchDlg(platform::Prompt &prompt, QWidget *parent = nullptr);

    retouch::RetouchEditor &editor() { return m_editor; }
    void loadSettings(const QSettings &store);
    bool saveSettings(QSettings &store) const { return m_editor.saveSettings(store); }

    void onCommand(int id);
    // The picture named on the command line.
    void openFile(const QString &path);
    // Brings every control up to date with the editor.
    void refresh();

    // For tests.
    CMyGraph *mainView() const { return m_mainView; }
    CMyGraph *magnifier() const { return m_magnifier; }
    QScrollBar *horizontalBar() const { return m_hScroll; }
    QScrollBar *verticalBar() const { return m_vScroll; }
    QComboBox *curveCombo() const { return m_curve; }
    COffsetSpin *spin(retouch::Channel channel) const { return m_spins[size_t(channel)]; }
    QLabel *offsetField(retouch::Channel channel) const { return m_offsetFields[size_t(channel)]; }
    QLabel *positionField() const { return m_position; }
    QLineEdit *pathField() const { return m_path; }
    QPushButton *button(int id) const;

public slots:
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void buildMenu();
    void paintView(QPainter &painter, const QRect &rect, int id);
    void step(retouch::Channel channel, retouch::SpinStep step);
    void endDrag();

    platform::BusyProgress m_progress;
    retouch::RetouchEditor m_editor;
    QLineEdit *m_path = nullptr;
    CMyGraph *m_mainView = nullptr;
    CMyGraph *m_magnifier = nullptr;
    QScrollBar *m_hScroll = nullptr;
    QScrollBar *m_vScroll = nullptr;
    QLabel *m_position = nullptr;
    std::array<QLabel *, 4> m_offsetFields{};
    std::array<COffsetSpin *, 4> m_spins{};
    QComboBox *m_curve = nullptr;
    QPushButton *m_displaySwitch = nullptr;
    std::array<std::pair<int, QPushButton *>, 5> m_buttons{};
    bool m_refreshing = false;
    bool m_dragging = false;
    QPoint m_lastMouse;
};
