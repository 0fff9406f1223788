#pragma once

#include <QString>

#include <functional>

class QComboBox;
class QDialog;
class QDialogButtonBox;
class QHBoxLayout;
class QLabel;
class QSlider;
class QWidget;

namespace platform {
class Prompt;
}

// Pieces the settings dialogs share.

// The kernel size combo box: "なし", "3 x 3" ... "9 x 9" for the indices 0..4.
QComboBox *makeKernelCombo(QWidget *parent, int index);

// A horizontal slider (line step 1, page step 10) with its value shown
// beside it, formatted by the given function whenever the slider moves.
struct ValueSlider {
    QSlider *slider = nullptr;
    QLabel *value = nullptr;
    QHBoxLayout *row = nullptr;
    void setEnabled(bool enabled) const;
};
ValueSlider makeValueSlider(QWidget *parent, const QString &title, int minimum, int maximum, int position,
                            std::function<QString(int)> format);

// The OK checks of the colour and monochrome dialogs: both kernel combo
// boxes need a selection. Shows the message and returns false otherwise.
bool checkKernelSelection(platform::Prompt &prompt, const QComboBox *blur, const QComboBox *sharpen);

// OK and "キャンセル", wired to the dialog's accept() and reject().
QDialogButtonBox *makeOkCancel(QDialog *dialog);
