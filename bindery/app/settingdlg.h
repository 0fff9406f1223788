#pragma once

#include "core/binderysettings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

// "設定": the save dialog's proposed name, the folder-as-document options
// and the export prefix and start number.
class CSettingDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSettingDlg(const bindery::BinderySettings &settings, QWidget *parent = nullptr);
    // The values as taken over by OK.
    const bindery::BinderySettings &settings() const { return m_settings; }

    void accept() override;

private:
    bindery::BinderySettings m_settings;
    QComboBox *m_autoFileName;
    QCheckBox *m_nameAsTitle;
    QCheckBox *m_nameTopAsDate;
    QComboBox *m_parentNameAs;
    QLineEdit *m_prefix;
    QSpinBox *m_startNum;
};
