#pragma once

#include <QImage>
#include <QStringList>
#include <QWidget>

namespace leafreader {

// The floating control pad: a small topmost tool window whose face, a picture
// of 3 columns x 7 rows of buttons, is stretched over it. Button = 3 x row +
// column (0..20). Pressing a button highlights it; releasing on the same
// button reports it; button 1 drags the pad instead.
class CControlDlg : public QWidget {
    Q_OBJECT
public:
    static constexpr int kColumns = 3;
    static constexpr int kRows = 7;
    static constexpr int kDragButton = 1;

    // How a pressed button is marked: Leafreader fills the cell light and
    // blends its part of the face over it; Glancer lays the light colour over
    // the face at half opacity.
    enum class Highlight { FillUnderFace, HalfOpacityOver };

    explicit CControlDlg(QWidget *owner = nullptr);
    void setHighlight(Highlight style) { m_style = style; }

    // The pad's size for a size number s: s x 384 / 100 by s x 896 / 100.
    static QSize sizeFor(int s);
    // Leafreader's pad size for its scale setting k (-10..10): s =
    // trunc(icon width x 1.07^k) with the 32-pixel icon.
    static QSize readerPadSize(int scale);

    void setPadSize(QSize size);
    // Shows the pad with its top-left corner at the point, or hides it when
    // it is visible.
    void toggleAt(QPoint topLeft);

    // The button under a point of the pad (-1 = none).
    int buttonAt(QPoint point) const;
    QRect cellRect(int button) const;
    int pressedButton() const { return m_pressed; }

    // A face picture: 3 x 7 keys with these labels (button order).
    static QImage drawFace(const QStringList &labels);
    // Leafreader's labels, in the language in use, and its face (also used
    // by tests).
    static QStringList faceLabels();
    static QImage facePicture();
    // Another program's face.
    void setFace(const QImage &face);

signals:
    void buttonClicked(int button);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QImage m_face;
    Highlight m_style = Highlight::FillUnderFace;
    int m_pressed = -1; // the highlighted button, -1 = none
    bool m_dragging = false;
    QPoint m_dragOffset;
};

} // namespace leafreader
