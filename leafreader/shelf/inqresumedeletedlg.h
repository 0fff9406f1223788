#pragma once

#include <QDialog>

namespace leafreader {

// "Resume Delete": asks before resume entries are deleted; only "はい"
// accepts.
class CInqResumeDeleteDlg : public QDialog {
    Q_OBJECT
public:
    explicit CInqResumeDeleteDlg(QWidget *parent = nullptr);
};

} // namespace leafreader
