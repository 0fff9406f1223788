#pragma once

#include <QWidget>

class QLabel;

namespace glancer {

struct FileNameTexts;

// The file-name popup: black text on light yellow, one field over the whole
// width (1001) or two halves (1002 left, 1003 right), each centred. It lies
// at the top of the view, centred, and never takes the focus.
class CFileNameDlg : public QWidget {
    Q_OBJECT
public:
    enum Field { FieldWhole = 1001, FieldLeft = 1002, FieldRight = 1003 };

    explicit CFileNameDlg(QWidget *view);

    void showTexts(const FileNameTexts &texts);
    // Centred at the top of the view.
    void place();
    QLabel *field(int id) const;

private:
    QLabel *m_whole, *m_left, *m_right;
};

} // namespace glancer
