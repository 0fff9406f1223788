#pragma once

#include <QWidget>

class QLabel;

namespace leafreader {

// The status popup: a borderless window with one centred text, shown over
// the main window without taking the focus, for a short while.
class MessageDlg : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLifeMs = 1200;

    explicit MessageDlg(QWidget *owner);
    // Shows the text centred over `over`; `now` is the time it was shown.
    void showText(const QString &text, const QWidget *over, int64_t now);
    // Hides the popup once it has been shown long enough.
    void expire(int64_t now);
    QString text() const;

private:
    QLabel *m_label;
    int64_t m_shownAt = 0;
};

} // namespace leafreader
