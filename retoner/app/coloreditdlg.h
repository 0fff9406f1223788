#pragma once

#include "settingwidgets.h"

#include "core/tonesettings.h"

#include <QDialog>

class CMyGraph;

// "色調整": the three shifts of one control point with sliders, its colour
// before and after, and bars of hue, saturation and value.
class CColorEditDlg : public QDialog {
    Q_OBJECT
public:
    CColorEditDlg(const retoner::ControlPoint &point, bool neutralPoint, QWidget *parent = nullptr);
    // The point with the shifts the sliders show.
    retoner::ControlPoint point() const;

    QSlider *hueSlider() const { return m_hue.slider; }
    QSlider *saturationSlider() const { return m_saturation.slider; }
    QSlider *valueSlider() const { return m_value.slider; }
    QLabel *hueValue() const { return m_hue.value; }

private:
    void paintBar(QPainter &painter, const QRect &rect, int which);

    retoner::ControlPoint m_point;
    bool m_neutral;
    ValueSlider m_hue, m_saturation, m_value;
    CMyGraph *m_bars[3] = {};
    CMyGraph *m_original = nullptr;
    CMyGraph *m_changed = nullptr;
};
