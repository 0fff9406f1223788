#pragma once

#include <QAbstractButton>
#include <QImage>

// A button that shows one quarter of a picture strip of four equal parts,
// stretched to the button: part 0 when disabled, 1 while pressed, 3 while the
// mouse is over it, 2 otherwise; with the keyboard focus a light blue frame
// and a dotted focus rectangle 2 pixels inside.
class CDrawnButton : public QAbstractButton {
    Q_OBJECT
public:
    enum class Face { Color, Mono, OpenSettings, SaveSettings };
    enum Part { PartDisabled = 0, PartPressed = 1, PartNormal = 2, PartHover = 3 };

    CDrawnButton(Face face, const QString &text, const QString &toolTip, QWidget *parent = nullptr);

    // The strip of one face: four parts of partSize side by side.
    static QImage makeStrip(Face face, const QString &text, QSize partSize);
    Part currentPart() const;
    bool isHovered() const { return m_hover; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    Face m_face;
    QImage m_strip;
    bool m_hover = false;
};
