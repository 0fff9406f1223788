#pragma once

#include "fileinformation.h"

#include <QDialog>

class CMyGraph;
class QLabel;
class QTreeWidget;

namespace leafreader {

// "ファイル情報": the thumbnail, path, size, page count, layout and every
// attribute record of one book.
class FileInfoDlg : public QDialog {
    Q_OBJECT
public:
    // Control ids of the dialog.
    enum Control {
        IdPageCount = 1001,
        IdLayout = 1002,
        IdSize = 1003,
        IdPath = 1004,
        IdAttributes = 1030,
        IdPicture = 1032,
    };

    explicit FileInfoDlg(const FileInformation &information, QWidget *parent = nullptr);

    QString controlText(int id) const;
    // The attribute list's rows as (item, content).
    QList<QPair<QString, QString>> attributeRows() const;
    CMyGraph *picture() const { return m_picture; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void paintPicture(QPainter &painter, const QRect &rect);
    void sizeColumns();

    FileInformation m_info;
    QImage m_thumbnail;
    CMyGraph *m_picture = nullptr;
    QLabel *m_path = nullptr, *m_size = nullptr, *m_pages = nullptr, *m_layout = nullptr;
    QTreeWidget *m_attributes = nullptr;
};

} // namespace leafreader
