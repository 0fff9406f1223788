#include "controldlg.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include <cmath>

namespace leafreader {

namespace {

constexpr int kFaceWidth = 384;
constexpr int kFaceHeight = 896;

// The keys' labels; the words are marked for translation, the arrows are not.
const char *const kLabels[CControlDlg::kColumns * CControlDlg::kRows] = {
    QT_TRANSLATE_NOOP("ControlPad", "終了"), "✥", "—", //
    "|◀", "▶|", QT_TRANSLATE_NOOP("ControlPad", "全画面"), //
    "◀", "▶", "≪", //
    QT_TRANSLATE_NOOP("ControlPad", "追加"), QT_TRANSLATE_NOOP("ControlPad", "上書"), "≫", //
    QT_TRANSLATE_NOOP("ControlPad", "単/見"), "▲", QT_TRANSLATE_NOOP("ControlPad", "自動"), //
    "◀", QT_TRANSLATE_NOOP("ControlPad", "拡大"), "▶", //
    QT_TRANSLATE_NOOP("ControlPad", "回転"), "▼", QT_TRANSLATE_NOOP("ControlPad", "閉じる"),
};

} // namespace

CControlDlg::CControlDlg(QWidget *owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                         | Qt::WindowDoesNotAcceptFocus),
      m_face(facePicture())
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setPadSize(readerPadSize(0));
}

QSize CControlDlg::sizeFor(int s)
{
    return {s * kFaceWidth / 100, s * kFaceHeight / 100};
}

QSize CControlDlg::readerPadSize(int scale)
{
    const int s = int(std::trunc(32.0 * std::pow(1.07, scale)));
    return sizeFor(s);
}

void CControlDlg::setPadSize(QSize size)
{
    setFixedSize(size);
}

void CControlDlg::toggleAt(QPoint topLeft)
{
    if (isVisible()) {
        hide();
        return;
    }
    move(topLeft);
    show();
}

QRect CControlDlg::cellRect(int button) const
{
    const int column = button % kColumns, row = button / kColumns;
    const int x0 = width() * column / kColumns, x1 = width() * (column + 1) / kColumns;
    const int y0 = height() * row / kRows, y1 = height() * (row + 1) / kRows;
    return QRect(x0, y0, x1 - x0, y1 - y0);
}

int CControlDlg::buttonAt(QPoint p) const
{
    if (!rect().contains(p))
        return -1;
    const int column = std::min(kColumns - 1, p.x() * kColumns / std::max(1, width()));
    const int row = std::min(kRows - 1, p.y() * kRows / std::max(1, height()));
    return kColumns * row + column;
}

QStringList CControlDlg::faceLabels()
{
    QStringList labels;
    for (const char *label : kLabels)
        labels << QCoreApplication::translate("ControlPad", label);
    return labels;
}

QImage CControlDlg::facePicture()
{
    return drawFace(faceLabels());
}

void CControlDlg::setFace(const QImage &face)
{
    m_face = face;
    update();
}

QImage CControlDlg::drawFace(const QStringList &labels)
{
    QImage face(kFaceWidth, kFaceHeight, QImage::Format_ARGB32_Premultiplied);
    face.fill(QColor(48, 52, 60));
    QPainter p(&face);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringList{QStringLiteral("MS UI Gothic"), QStringLiteral("Noto Sans CJK JP")});
    font.setPixelSize(30);
    p.setFont(font);
    const int cw = kFaceWidth / kColumns, ch = kFaceHeight / kRows;
    for (int b = 0; b < kColumns * kRows; ++b) {
        const QRect cell((b % kColumns) * cw, (b / kColumns) * ch, cw, ch);
        const QRect key = cell.adjusted(8, 8, -8, -8);
        p.setPen(QPen(QColor(120, 130, 145), 3));
        p.setBrush(b == 0 || b == 20 ? QColor(110, 50, 50) : QColor(70, 76, 88));
        p.drawRoundedRect(key, 14, 14);
        p.setPen(QColor(235, 235, 235));
        p.drawText(key, Qt::AlignCenter | Qt::TextWordWrap, labels.value(b));
    }
    return face;
}

void CControlDlg::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(rect(), m_face);
    if (m_pressed < 0)
        return;
    // The pressed cell, inset by four face pixels at the pad's size: light
    // fill with its part of the face blended over it.
    const int inset = (width() * 4 + kFaceWidth / 2) / kFaceWidth;
    const QRect cell = cellRect(m_pressed).adjusted(inset, inset, -inset, -inset);
    if (m_style == Highlight::HalfOpacityOver) {
        p.setOpacity(0.5);
        p.fillRect(cell, QColor(192, 255, 255));
        return;
    }
    p.fillRect(cell, QColor(192, 255, 255));
    const double sx = double(m_face.width()) / width(), sy = double(m_face.height()) / height();
    const QRectF source(cell.x() * sx, cell.y() * sy, cell.width() * sx, cell.height() * sy);
    p.setOpacity(0.5);
    p.drawImage(QRectF(cell), m_face, source);
}

void CControlDlg::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int button = buttonAt(event->position().toPoint());
    if (button == kDragButton) {
        // Where the window system moves windows itself (Wayland allows no
        // other way), it drags the pad; elsewhere the pad follows the mouse.
        if (windowHandle() && windowHandle()->startSystemMove())
            return;
        m_dragging = true;
        m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
        return;
    }
    m_pressed = button;
    update();
}

void CControlDlg::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging) {
        move(event->globalPosition().toPoint() - m_dragOffset);
        return;
    }
    if (m_pressed < 0)
        return;
    // Moving off the pressed button cancels the press.
    if (buttonAt(event->position().toPoint()) != m_pressed) {
        m_pressed = -1;
        update();
    }
}

void CControlDlg::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (m_dragging) {
        m_dragging = false;
        return;
    }
    const int pressed = m_pressed;
    const bool on = pressed >= 0 && buttonAt(event->position().toPoint()) == pressed;
    m_pressed = -1;
    update();
    if (on)
        emit buttonClicked(pressed);
}

} // namespace leafreader
