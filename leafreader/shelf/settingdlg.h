#pragma once

#include "shelfsettings.h"

#include "pageview/readersettings.h"
#include "ui/numberfield.h"

#include <QDialog>

#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QScrollBar;
class QSpinBox;

namespace platform {
class Prompt;
}

namespace leafreader {

// The settings dialog: scales, sort orders, author priority, switches and
// page counts. OK takes the values into `values()` and `listValues()` (the
// sort orders) after the range check; the caller stores them.
class SettingDlg : public QDialog {
    Q_OBJECT
public:
    enum Scale { ScaleNormal, ScaleFullScreen, ScaleListColumn, ScalePad, kScaleCount };
    enum Field { FieldSkipForward, FieldSkipBack, FieldSpace, FieldInterval, kFieldCount };

    SettingDlg(const ReaderSettings &settings, const ShelfSettings &listSettings, platform::Prompt &prompt,
               QWidget *parent = nullptr);

    // Called with the pad scale whenever its bar moves, and with the old
    // scale again when the dialog is cancelled.
    std::function<void(int)> onPadScalePreview;

    const ReaderSettings &values() const { return m_values; }
    const ShelfSettings &listValues() const { return m_listValues; }

    // For tests and the keyboard: the controls.
    QScrollBar *scaleBar(int which) const { return m_bars[which]; }
    QLabel *scaleLabel(int which) const { return m_barLabels[which]; }
    QSpinBox *field(int which) const { return m_fields[which]; }
    QButtonGroup *folderOrder() const { return m_folderOrder; }
    QButtonGroup *resumeOrder() const { return m_resumeOrder; }
    QComboBox *priority() const { return m_priority; }
    QCheckBox *hideCursor() const { return m_hideCursor; }
    QCheckBox *picEnlarge() const { return m_picEnlarge; }
    QCheckBox *loop() const { return m_loop; }

    // Range limits of the numeric fields as the dialog accepts them.
    static int fieldMinimum(int which);
    static int fieldMaximum(int which);

public slots:
    void accept() override;
    void reject() override;

private:
    ReaderSettings m_values;
    ShelfSettings m_listValues;
    int m_padScaleAtStart = 0;
    platform::Prompt &m_prompt;
    QScrollBar *m_bars[kScaleCount] = {};
    QLabel *m_barLabels[kScaleCount] = {};
    ui::NumberField *m_fields[kFieldCount] = {};
    QButtonGroup *m_folderOrder = nullptr;
    QButtonGroup *m_resumeOrder = nullptr;
    QComboBox *m_priority = nullptr;
    QCheckBox *m_hideCursor = nullptr, *m_picEnlarge = nullptr, *m_loop = nullptr;
};

} // namespace leafreader
