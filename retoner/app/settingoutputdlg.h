#pragma once

#include "settingwidgets.h"

#include "core/tonesettings.h"

#include <ui/numberfield.h>

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;

// "出力設定": the output size, folder and format on a copy of the settings.
class CSettingOutputDlg : public QDialog {
    Q_OBJECT
public:
    CSettingOutputDlg(const retoner::ToneSettings &settings, platform::Prompt &prompt, QWidget *parent = nullptr);
    const retoner::ToneSettings &settings() const { return m_settings; }
    void accept() override;

    QButtonGroup *resizeModes() const { return m_modes; }
    QButtonGroup *formats() const { return m_formats; }
    const ValueSlider &ratio() const { return m_ratio; }
    const ValueSlider &quality() const { return m_quality; }
    QCheckBox *uniformBox() const { return m_uniform; }
    QSpinBox *widthBox() const { return m_width; }
    QSpinBox *heightBox() const { return m_height; }
    QLineEdit *folderField() const { return m_folder; }
    QPushButton *browseButton() const { return m_browse; }

private:
    void updateEnabling();

    retoner::ToneSettings m_settings;
    platform::Prompt &m_prompt;
    QButtonGroup *m_modes = nullptr;
    QButtonGroup *m_formats = nullptr;
    ValueSlider m_ratio, m_quality;
    QCheckBox *m_uniform = nullptr;
    ui::NumberField *m_width = nullptr;
    ui::NumberField *m_height = nullptr;
    QLineEdit *m_folder = nullptr;
    QPushButton *m_browse = nullptr;
};
