#pragma once

#include "core/imageentry.h"

#include <QDialog>

class QButtonGroup;

// "登録設定": how the images about to be registered are classified. Opens
// with the first mode every time.
class CLoadSettingDlg : public QDialog {
    Q_OBJECT
public:
    explicit CLoadSettingDlg(QWidget *parent = nullptr);
    retoner::RegistrationMode mode() const;
    void setMode(retoner::RegistrationMode mode);

private:
    QButtonGroup *m_modes = nullptr;
};
