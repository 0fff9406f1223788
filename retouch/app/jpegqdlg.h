#pragma once

#include <QDialog>

class QLabel;
class QSlider;

// "JPEG Quality": a slider 0..100 from "低" to "高" with ticks and page steps
// every 10, and the value shown beside it.
class CJPEG_Q_Dlg : public QDialog {
    Q_OBJECT
public:
    explicit CJPEG_Q_Dlg(int quality, QWidget *parent = nullptr);

    int quality() const;
    QSlider *slider() const { return m_slider; }

private:
    void showValue();

    QSlider *m_slider;
    QLabel *m_value;
};
