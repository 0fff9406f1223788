#pragma once

#include "core/glancersettings.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QSlider;
class QSpinBox;

namespace ui {
class NumberField;
}

namespace platform {
class Prompt;
}

namespace glancer {

// The settings dialog ("設定"): size indices, pad size, skips, cursor
// hiding, shown image types, initial layout and binding, gap and fitting.
// OK checks the number fields against their ranges and takes the values into
// `values()`; the caller stores them.
class CSettingDlg : public QDialog {
    Q_OBJECT
public:
    // Control ids.
    enum Control {
        SizeNormal = 1000,
        SizeFullScreen = 1001,
        Bind = 1003,
        Layout = 1004,
        PadSize = 1005,
        SkipForward = 1006,
        SkipBack = 1008,
        Space = 1010,
        HideCursor = 1012,
        Bmp = 1015,
        Jpeg = 1016,
        Png = 1017,
        Enlarge = 1020,
    };

    CSettingDlg(const GlancerSettings &settings, platform::Prompt &prompt, QWidget *parent = nullptr);

    // Called with the pad size whenever the slider moves, and with the size
    // held before when the dialog is cancelled.
    std::function<void(int)> onPadSizePreview;

    const GlancerSettings &values() const { return m_values; }

    QComboBox *list(int id) const;
    QSlider *padSlider() const { return m_pad; }
    QSpinBox *field(int id) const;
    QCheckBox *check(int id) const;

public slots:
    void accept() override;
    void reject() override;

private:
    GlancerSettings m_values;
    platform::Prompt &m_prompt;
    QComboBox *m_sizeNormal, *m_sizeFull, *m_layout, *m_bind;
    QSlider *m_pad;
    ui::NumberField *m_skipForward, *m_skipBack, *m_space;
    QCheckBox *m_hideCursor, *m_bmp, *m_jpeg, *m_png, *m_enlarge;
};

} // namespace glancer
