#pragma once

#include "core/imagebatch.h"

#include <QDialog>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

// The modeless progress dialog of registration ("登録中") and conversion
// ("変換中"): a bar, the current file and "中止", which asks the run to stop.
// The run pumps the window's events through it between files.
class CProgressDlg : public QDialog, public retoner::BatchObserver {
    Q_OBJECT
public:
    explicit CProgressDlg(QWidget *parent = nullptr);

    // Each entry registration appends, for the list.
    void setEntryAdded(std::function<void(int, const retoner::ImageEntry &)> callback)
    {
        m_entryAdded = std::move(callback);
    }

    void begin(const QString &title, int range) override;
    void setText(const QString &text) override;
    void setPosition(int position) override;
    void end() override;
    void processEvents() override;
    bool cancelRequested() override { return m_cancelled; }
    void entryAdded(int index, const retoner::ImageEntry &entry, const QString &message) override;

    QPushButton *stopButton() const { return m_stop; }
    int position() const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QProgressBar *m_bar = nullptr;
    QLabel *m_text = nullptr;
    QPushButton *m_stop = nullptr;
    bool m_cancelled = false;
    std::function<void(int, const retoner::ImageEntry &)> m_entryAdded;
};
