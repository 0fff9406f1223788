#pragma once

#include "settingwidgets.h"

#include "core/colorgraphs.h"
#include "core/tonesettings.h"

#include <QDialog>

#include <functional>
#include <optional>

class CHSGraph;
class CMyGraph;
class CSVGraph;
class QCheckBox;
class QPushButton;

// "カラー設定": the colour chain and its correction points on a copy of the
// settings, with the hue-saturation disc, the saturation-value plane and the
// colour samples of the selected point.
class CSettingColorDlg : public QDialog {
    Q_OBJECT
public:
    CSettingColorDlg(const retoner::ToneSettings &settings, platform::Prompt &prompt, QWidget *parent = nullptr);
    const retoner::ToneSettings &settings() const { return m_settings; }
    void accept() override;

    // The select-point messages of the two graphs.
    void selectPoint(int level, int saturation, int hue);
    // "調整...": the editor on the selected point; returns whether it was
    // confirmed. The editor itself is run by editPoint unless a test hands
    // in the edited point.
    using PointEditor = std::function<std::optional<retoner::ControlPoint>(const retoner::ControlPoint &, bool)>;
    void setPointEditor(PointEditor editor) { m_editPoint = std::move(editor); }
    void editSelectedPoint();
    void resetAll();

    const retoner::PointSelection &selection() const { return m_selection; }
    bool correctionEnabled() const { return m_enabled; }
    int margin() const { return m_margin; }
    QCheckBox *correctionBox() const { return m_correction; }
    QPushButton *editButton() const { return m_edit; }
    QPushButton *resetButton() const { return m_reset; }
    QComboBox *blurCombo() const { return m_blur; }
    QComboBox *sharpenCombo() const { return m_sharpen; }
    CHSGraph *hsGraph() const { return m_hs; }
    CSVGraph *svGraph() const { return m_sv; }

private:
    void updateEnabling();
    void repaintGraphs();

    retoner::ToneSettings m_settings;
    platform::Prompt &m_prompt;
    retoner::PointSelection m_selection;
    bool m_enabled = false;
    int m_margin = 8;
    PointEditor m_editPoint;

    QCheckBox *m_correction = nullptr;
    QComboBox *m_blur = nullptr;
    QComboBox *m_sharpen = nullptr;
    ValueSlider m_strength;
    CHSGraph *m_hs = nullptr;
    CSVGraph *m_sv = nullptr;
    CMyGraph *m_original = nullptr;
    CMyGraph *m_changed = nullptr;
    QPushButton *m_edit = nullptr;
    QPushButton *m_reset = nullptr;
};
