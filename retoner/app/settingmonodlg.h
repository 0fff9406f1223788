#pragma once

#include "settingwidgets.h"

#include "core/tonesettings.h"

#include <QDialog>

class CMyGraph;
class QCheckBox;

// "モノクロ設定": the monochrome chain on a copy of the settings; OK checks
// the kernel selections and keeps the copy.
class CSettingMonoDlg : public QDialog {
    Q_OBJECT
public:
    CSettingMonoDlg(const retoner::ToneSettings &settings, platform::Prompt &prompt, QWidget *parent = nullptr);
    // The edited copy (what OK took).
    const retoner::ToneSettings &settings() const { return m_settings; }
    void accept() override;

    QComboBox *blurCombo() const { return m_blur; }
    QComboBox *sharpenCombo() const { return m_sharpen; }
    QSlider *blackSlider() const { return m_black.slider; }
    QSlider *whiteSlider() const { return m_white.slider; }
    QSlider *curveSlider() const { return m_curve.slider; }
    const ValueSlider &strength() const { return m_strength; }
    QCheckBox *grayscaleBox() const { return m_grayscale; }
    CMyGraph *curveGraph() const { return m_graph; }

private:
    void paintCurve(QPainter &painter, const QRect &rect);

    retoner::ToneSettings m_settings;
    platform::Prompt &m_prompt;
    QCheckBox *m_grayscale = nullptr;
    CMyGraph *m_graph = nullptr;
    ValueSlider m_black, m_white, m_curve, m_strength;
    QComboBox *m_blur = nullptr;
    QComboBox *m_sharpen = nullptr;
};
